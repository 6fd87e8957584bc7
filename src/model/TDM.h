#pragma once
// The data module: the table objects of the open account and the routines that create them
// with their default rows and find the associated tables of a movements file.
//
// The associated tables of D/N.dbf live in D/Tassi/N.dbf, D/Accrediti/N.dbf and
// D/Impostazioni/N.dbf, D being the account folder (the main window's CartellaConto), which
// every routine below takes as its `cartella` argument. Only the file-name part of a `file`
// argument is used, except by NuovaTabella, which takes the whole path.
//
// Table-engine errors are not caught here: they reach the command that called.

#include "core/Date.h"
#include "core/Money.h"
#include "dbase/FileSystem.h"
#include "dbase/Table.h"
#include "model/AccountSettings.h"
#include "model/RatePeriod.h"

#include <memory>
#include <string>

namespace valmora {

class UserInterface;

class TDM {
public:
    // `fs` nullptr: the real disk. Today's date comes from `clock` only.
    TDM(UserInterface& ui, const Clock& clock, std::shared_ptr<dbase::FileSystem> fs = nullptr);
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

private:
    std::shared_ptr<dbase::FileSystem> fs_; // declared first: the tables below are built on it

public:
    dbase::Table MainTable;     // movements, ordered by the tag "Valuta"
    dbase::Table TableTassi;    // interest rates, ordered by "Data"
    dbase::Table TableAcc;      // programmed operations, ordered by "Operazione"
    dbase::Table TableImp;      // settings, one row, file order
    dbase::Table TableTransito; // no fixed fields: the new-year carry-over goes through it
    dbase::Table TableOld;      // no fixed fields: a previous-version movements table on import

    // Creates an empty movements table at `file` (a full path) with one index whose tag and key
    // field are both `indice` (callers pass "Valuta"). The table stays closed.
    void NuovaTabella(dbase::Table& table, const std::string& file, const std::string& indice);

    // Creates cartella/sottocartella/N.dbf as a rates table, opens it ordered by DATA and adds one row.
    void NuovaTabTassi(dbase::Table& table, const std::string& cartella, const std::string& file,
                       const std::string& sottocartella, Date data, Money limite, Money tassoCre, Money tassoH,
                       Money tassoDeb, Money ritenuta);
    void NuovaTabTassi(dbase::Table& table, const std::string& cartella, const std::string& file,
                       const std::string& sottocartella, const RatePeriod& riga);

    // Creates an empty programmed-operations table and opens it ordered by Operazione.
    void NuovaTabAcc(dbase::Table& table, const std::string& cartella, const std::string& file,
                     const std::string& sottocartella);
    // Adds the four default programmed operations to an open programmed-operations table.
    void DefaultAccrediti(dbase::Table& table);

    // Creates a settings table holding `riga`, opened in file order.
    void NuovaTabImpostazioni(dbase::Table& table, const std::string& cartella, const std::string& file,
                              const std::string& sottocartella, const AccountSettings& riga);

    // Binds and opens an existing associated table. When its file is missing, tells the user
    // and returns false with the table closed; the caller then recreates it with its defaults.
    bool TabellaAssociata(dbase::Table& table, const std::string& cartella, const std::string& file,
                          const std::string& sottocartella);

    // Whether cartella/sottocartella/N.dbf exists. Creates the subfolder when missing, so a
    // check leaves it behind even when the answer is no.
    bool TabEsiste(const std::string& cartella, const std::string& file, const std::string& sottocartella);

    // Appends every row of `da`, in its order, to the open table `a`: each field of `a` takes the value of the
    // field of `da` at the same position, up to the shorter of the two layouts.
    static void CopiaPerPosizione(dbase::Table& da, dbase::Table& a);

    // The default rows of an account created today.
    AccountSettings ImpostazioniDefault() const { return AccountSettings::defaults(clock_.today()); }
    RatePeriod TassoDefault() const { return RatePeriod::defaults(clock_.today()); }

    dbase::FileSystem& fileSystem() { return *fs_; }
    const std::shared_ptr<dbase::FileSystem>& sharedFileSystem() const { return fs_; }

private:
    void bindAssociated(dbase::Table& table, const std::string& cartella, const std::string& file,
                        const std::string& sottocartella);

    UserInterface& ui_;
    const Clock& clock_;
};

} // namespace valmora
