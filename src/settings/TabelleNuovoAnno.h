#pragma once
// The data module's routines of the new-year carry-over: each reads one table of the old account through the
// binding its table object still has (the close command closes the tables but leaves them bound), then binds the
// same table object to the new account's table, created in `cartella` under the file name of `file`.
//
//   VecchieImpostazioni   the settings row, carried whole except NEW_ANNO (true), OLDDATA (`j`) and NUM_REC (0)
//   VecchioTasso          one rate row dated `j` with the values of the old table's last row in DATA order
//   VecchiAccrediti       every programmed operation, field by field, through TableTransito
//
// They belong with TDM; they live here, beside the carry-over that is their only caller, and take the data
// module as their first argument. Table-engine errors are not caught.

#include "core/Date.h"
#include "model/AccountSettings.h"
#include "model/RatePeriod.h"

#include <string>

namespace valmora {

class TDM;

// The old settings row as it is carried (the amounts pass through Money, so at most four decimals survive).
AccountSettings ImpostazioniRiportate(const AccountSettings& vecchie, Date j);

// TableImp: reads the old row, then creates cartella/Impostazioni/N.dbf holding the carried row (left open).
void VecchieImpostazioni(TDM& dm, const std::string& cartella, const std::string& file, Date j);

// TableTassi: reads the old table's last row in DATA order (an empty table gives five zeros), then creates
// cartella/`sottocartella`/N.dbf holding that row dated `j` (left open, ordered by DATA).
void VecchioTasso(TDM& dm, const std::string& cartella, const std::string& file, const std::string& sottocartella,
                  Date j);

// TableAcc: copies the old table, in its order, into cartella/Accrediti/N.dbf built through TableTransito, each
// field taking the value of the old field at the same position; then TableAcc is bound to the new table and
// opened ordered by Operazione.
void VecchiAccrediti(TDM& dm, const std::string& cartella, const std::string& file);

} // namespace valmora
