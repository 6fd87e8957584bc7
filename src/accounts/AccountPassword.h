#pragma once
// The account password: the check made before an account is opened, and the "&Password..." command that sets,
// changes or removes it. The password is kept in plain text in the settings row's PASSWORD field (at most eight
// characters); "0" or an empty field means none. Comparisons are exact and case-sensitive.

#include <optional>
#include <string>
#include <string_view>

namespace valmora {

class TDM;
class UserInterface;
struct MasterState;

// Written into the entry field before the open-time prompt, so that it shows eight mask characters.
inline constexpr std::string_view kPasswordSegnaposto = "73915284";
// What the PASSWORD field can hold.
inline constexpr std::size_t kLunghezzaPassword = 8;

// Whether PASSWORD protects nothing ("0" or empty).
bool SenzaPassword(std::string_view password);

// The first eight characters of a typed text (UTF-8 aware): what the entry field keeps.
std::string TroncaPassword(std::string_view testo);

// The check on open; the settings table must be open on its row. Without a password the account is accepted
// at once. Otherwise the prompt starts with the placeholder; the account is accepted only when OK is pressed
// on exactly the stored password. The stored password is written back to the row in every case. Sets and
// returns PasswordAccettata.
bool ControllaPasswordApertura(TDM& dm, UserInterface& ui, MasterState& state);

// "&Password...": the prompt starts with the current password; OK stores what the field holds ("0" or empty
// removes the protection), Cancel leaves the row as it was. Not an unsaved change: ModificheDaSalvare is not
// touched (a close answered No still puts the snapshot's password back).
// `digitata`: the text typed before OK when the caller already has it (a script); otherwise the prompt asks.
void Password1Click(TDM& dm, UserInterface& ui, const std::optional<std::string>& digitata = std::nullopt);

} // namespace valmora
