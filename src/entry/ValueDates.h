#pragma once
// The value date of a movement: its booking date, moved forward by the value days the account's
// conditions grant for the kind of cheque paid in. Calendar days only: no weekend or holiday rule.

#include "core/Date.h"
#include "model/AccountSettings.h"

#include <string_view>

namespace valmora {

// The value days for a type: VISTITUTO for "Assegno Stesso I.", VALTRO_IST for "Assegno Altro I.",
// VCIRCOLARE for "Assegno Circolare", VPOSTALE for "Assegno C/C Post.", none for any other type.
// A fractional setting is cut to the whole days reached (2.5 gives 2). The operation is not looked at.
int GiorniValuta(const AccountSettings& impostazioni, std::string_view tipo);

// The booking date plus GiorniValuta (AssegnaValuta).
Date AssegnaValuta(const AccountSettings& impostazioni, std::string_view tipo, Date dataOperazione);

} // namespace valmora
