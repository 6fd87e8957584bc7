#pragma once
// Text cut to the size of a table's character field, as the dialogs store what was typed.

#include "dbase/Table.h"

#include <string>
#include <string_view>

namespace valmora {

// The first `caratteri` characters of a UTF-8 text: never cuts a character in two. The files keep one
// byte per character, so a field of width w holds w characters.
std::string TagliaTesto(std::string_view testo, int caratteri);

// The text cut to the width of the named character field of `table`.
std::string TagliaAlCampo(dbase::Table& table, std::string_view campo, std::string_view testo);

} // namespace valmora
