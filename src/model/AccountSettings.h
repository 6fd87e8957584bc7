#pragma once
// The one row of the settings table (TableImp): the account's conditions.

#include "core/Date.h"
#include "core/Money.h"
#include "dbase/Table.h"

#include <string>
#include <vector>

namespace valmora {

// Every numeric column is N(20,4) and is read as fixed point, counts and days included.
struct AccountSettings {
    std::string istituto = "Istituto";       // ISTITUTO
    std::string coordinate = "ABI CAB";      // COORDINATE
    std::string numConto = "000111";         // NUM_CONTO
    std::string capitaCre = "MENSILE";       // CAPITA_CRE: capitalisation period of credit interest
    std::string capitaDeb = "MENSILE";       // CAPITA_DEB: the same for debit interest
    Money numOpe;                            // NUM_OPE: free operations (may be negative)
    Money costoOpe;                          // COSTO_OPE: fee per operation beyond the free ones
    Money vIstituto;                         // VISTITUTO: value days, cheque of the same bank
    Money vCircolare;                        // VCIRCOLARE: value days, cashier's cheque
    Money vPostale;                          // VPOSTALE: value days, postal cheque
    Money vAltroIst;                         // VALTRO_IST: value days, cheque of another bank
    Money bStesso;                           // BSTESSO: fee, own bank's cash machine
    Money bAltro;                            // BALTRO: fee, another bank's cash machine
    Money bPos;                              // BPOS: commission, point-of-sale payment
    Money bMensile = Money::fromWhole(1500); // BMENSILE: monthly cash-machine allowance
    Money maxScope = Money::fromWhole(5000); // MaxScope: maximum overdraft
    Money commScope = Money::fromWhole(10);  // CommScope: overdraft commission
    Money maxCCred = Money::fromWhole(2000); // MaxCCred: monthly credit-card allowance
    Money commCCred;                         // CommCCred: commission per credit-card payment
    std::string password = "0";              // PASSWORD: "0" or empty means none
    bool newAnno = true;                     // NEW_ANNO: the new-year offer is still open
    Date oldData;                            // OLDDATA: programmed operations generated up to here
    Money numRec;                            // NUM_REC: movement counter kept at close
    bool scoperto = false;                   // SCOPERTO: overdraft commission charged for this overdraft

    // The row of a new account created today.
    static AccountSettings defaults(Date today);
    // The current row of an open settings table.
    static AccountSettings read(dbase::Table& table);
    // The 24 values in field order.
    std::vector<dbase::Value> values() const;

    bool operator==(const AccountSettings&) const = default;
};

} // namespace valmora
