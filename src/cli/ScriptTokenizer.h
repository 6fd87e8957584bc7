#pragma once
// Splits one script line into words: words are separated by blanks (spaces, tabs); a word in double quotes may
// hold blanks, and a double quote inside it is written twice ("a ""b""" is the word a "b"). `""` is an empty
// word. A line whose first non-blank character is '#' is a comment and, like an empty line, has no words.

#include <string>
#include <string_view>
#include <vector>

namespace valmora::cli {

// Throws ScriptError (in Italian) on an unterminated quote or a quote glued to other characters.
std::vector<std::string> tokenizeScriptLine(std::string_view line);

} // namespace valmora::cli
