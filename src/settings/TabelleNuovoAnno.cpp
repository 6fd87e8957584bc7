#include "settings/TabelleNuovoAnno.h"

#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

namespace valmora {

AccountSettings ImpostazioniRiportate(const AccountSettings& vecchie, Date j) {
    AccountSettings nuove = vecchie;
    nuove.newAnno = true;
    nuove.oldData = j;
    nuove.numRec = Money();
    return nuove;
}

void VecchieImpostazioni(TDM& dm, const std::string& cartella, const std::string& file, Date j) {
    dbase::Table& imp = dm.TableImp;
    imp.close();
    imp.open();
    imp.first();
    // A settings table emptied by hand has no row to carry: the new account then starts from the defaults,
    // dated as the carried row would be.
    const AccountSettings vecchie = imp.eof() ? AccountSettings::defaults(j) : AccountSettings::read(imp);
    imp.close();
    dm.NuovaTabImpostazioni(imp, cartella, file, kSottocartellaImpostazioni, ImpostazioniRiportate(vecchie, j));
}

void VecchioTasso(TDM& dm, const std::string& cartella, const std::string& file, const std::string& sottocartella,
                  Date j) {
    dbase::Table& tassi = dm.TableTassi;
    tassi.close();
    tassi.open();
    tassi.setIndexName(schema::kIndiceData);
    tassi.last();
    // Empty fields read as 0, so an empty old table carries a row of zeros.
    RatePeriod riga;
    if (!tassi.isEmpty()) {
        riga = RatePeriod::read(tassi);
    }
    riga.data = j;
    tassi.close();
    dm.NuovaTabTassi(tassi, cartella, file, sottocartella, riga);
}

void VecchiAccrediti(TDM& dm, const std::string& cartella, const std::string& file) {
    dbase::Table& vecchia = dm.TableAcc;
    vecchia.close();
    vecchia.open();
    vecchia.setIndexName(schema::kIndiceOperazione);

    dbase::Table& transito = dm.TableTransito;
    transito.close();
    const std::string cartellaAcc = AccountFileSet::folderOf(cartella, kSottocartellaAccrediti);
    dm.fileSystem().makeDirectories(cartellaAcc);
    transito.bind(cartellaAcc, AccountFileSet::fileNamePart(file));
    transito.create(schema::accreditiFields(), schema::accreditiIndex());
    transito.open();
    TDM::CopiaPerPosizione(vecchia, transito);
    transito.close();
    vecchia.close();

    vecchia.bind(cartellaAcc, AccountFileSet::fileNamePart(file));
    vecchia.open();
    vecchia.setIndexName(schema::kIndiceOperazione);
}

} // namespace valmora
