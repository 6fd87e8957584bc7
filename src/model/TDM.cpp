#include "model/TDM.h"

#include "dbase/FileSystem.h"
#include "model/AccountFileSet.h"
#include "model/ProgrammedOperation.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

#include "core/Paths.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace valmora {

namespace {

std::shared_ptr<dbase::FileSystem> orDisk(std::shared_ptr<dbase::FileSystem> fs) {
    return fs ? std::move(fs) : dbase::diskFileSystem();
}

// An index whose key field is named like the tag: resolved to the field as the schema spells it.
dbase::IndexDef indexNamed(const std::vector<dbase::FieldDef>& fields, const std::string& name) {
    return {name, schema::declaredFieldName(fields, name)};
}

} // namespace

TDM::TDM(UserInterface& ui, const Clock& clock, std::shared_ptr<dbase::FileSystem> fs)
    : fs_(orDisk(std::move(fs))), MainTable(fs_), TableTassi(fs_), TableAcc(fs_), TableImp(fs_), TableTransito(fs_),
      TableOld(fs_), ui_(ui), clock_(clock) {
    // Every date the engine stamps in a file comes from the same clock as the program's today, and
    // what an open sets right in a file (records set aside, an index rewritten) is told to the user.
    for (dbase::Table* t : {&MainTable, &TableTassi, &TableAcc, &TableImp, &TableTransito, &TableOld}) {
        t->setClock(&clock_);
        t->setNoticeHandler([this](const std::string& notice) { ui_.message(notice, Buttons::Ok); });
    }
}

void TDM::NuovaTabella(dbase::Table& table, const std::string& file, const std::string& indice) {
    table.close();
    const std::filesystem::path path = toPath(file);
    table.bind(fromPath(path.parent_path()), fromPath(path.filename()));
    const auto fields = schema::movimentiFields();
    table.create(fields, indexNamed(fields, indice));
}

void TDM::bindAssociated(dbase::Table& table, const std::string& cartella, const std::string& file,
                         const std::string& sottocartella) {
    table.close();
    const std::string folder = AccountFileSet::folderOf(cartella, sottocartella);
    fs_->makeDirectories(folder);
    table.bind(folder, AccountFileSet::fileNamePart(file));
}

void TDM::NuovaTabTassi(dbase::Table& table, const std::string& cartella, const std::string& file,
                        const std::string& sottocartella, Date data, Money limite, Money tassoCre, Money tassoH,
                        Money tassoDeb, Money ritenuta) {
    bindAssociated(table, cartella, file, sottocartella);
    table.create(schema::tassiFields(), schema::tassiIndex());
    table.open();
    table.setIndexName(schema::kIndiceData);
    // The values come in the order the program declares the fields, which is not the file's order.
    const std::vector<dbase::Value> declared = {data, limite, tassoCre, tassoH, tassoDeb, ritenuta};
    const auto names = schema::tassiDeclaredOrder();
    table.append();
    for (std::size_t i = 0; i < names.size(); ++i)
        table.fieldByName(names[i]).setValue(declared[i]);
    table.post();
}

void TDM::NuovaTabTassi(dbase::Table& table, const std::string& cartella, const std::string& file,
                        const std::string& sottocartella, const RatePeriod& riga) {
    NuovaTabTassi(table, cartella, file, sottocartella, riga.data, riga.limite, riga.tassoCre, riga.tassoH,
                  riga.tassoDeb, riga.ritenuta);
}

void TDM::NuovaTabAcc(dbase::Table& table, const std::string& cartella, const std::string& file,
                      const std::string& sottocartella) {
    bindAssociated(table, cartella, file, sottocartella);
    table.create(schema::accreditiFields(), schema::accreditiIndex());
    table.open();
    table.setIndexName(schema::kIndiceOperazione);
}

void TDM::DefaultAccrediti(dbase::Table& table) {
    for (const auto& op : ProgrammedOperation::defaults())
        table.appendRecord(op.values());
}

void TDM::NuovaTabImpostazioni(dbase::Table& table, const std::string& cartella, const std::string& file,
                               const std::string& sottocartella, const AccountSettings& riga) {
    bindAssociated(table, cartella, file, sottocartella);
    table.create(schema::impostazioniFields(), schema::impostazioniIndex());
    table.open();
    table.appendRecord(riga.values());
}

bool TDM::TabellaAssociata(dbase::Table& table, const std::string& cartella, const std::string& file,
                           const std::string& sottocartella) {
    table.close();
    const std::string path = AccountFileSet::pathOf(cartella, sottocartella, file);
    if (!fs_->exists(path)) {
        ui_.message("Errore! il file: " + path + " non esiste o è danneggiato!", Buttons::Yes);
        return false;
    }
    table.bind(AccountFileSet::folderOf(cartella, sottocartella), AccountFileSet::fileNamePart(file));
    table.open();
    // Each associated table is walked in its own order: rates by date, programmed operations by operation.
    if (sottocartella == kSottocartellaTassi)
        table.setIndexName(schema::kIndiceData);
    else if (sottocartella == kSottocartellaAccrediti)
        table.setIndexName(schema::kIndiceOperazione);
    return true;
}

bool TDM::TabEsiste(const std::string& cartella, const std::string& file, const std::string& sottocartella) {
    fs_->makeDirectories(AccountFileSet::folderOf(cartella, sottocartella));
    return fs_->exists(AccountFileSet::pathOf(cartella, sottocartella, file));
}

void TDM::CopiaPerPosizione(dbase::Table& da, dbase::Table& a) {
    // A field beyond the other table's last has nowhere to go.
    const int campi = std::min(da.fieldCount(), a.fieldCount());
    for (da.first(); !da.eof(); da.next()) {
        a.append();
        for (int i = 0; i < campi; ++i) {
            a.field(i).assign(da.field(i));
        }
        a.post();
    }
}

} // namespace valmora
