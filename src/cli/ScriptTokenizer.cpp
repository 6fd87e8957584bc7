#include "cli/ScriptTokenizer.h"

#include "cli/ScriptError.h"

namespace valmora::cli {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> tokenizeScriptLine(std::string_view line) {
    // A script saved on Windows ends its lines with "\r\n".
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (words.empty() && line[i] == '#') {
            return {};
        }
        std::string word;
        if (line[i] == '"') {
            const std::size_t opened = i + 1; // 1-based column of the opening quote
            ++i;
            for (;;) {
                if (i >= n) {
                    throw ScriptError("virgolette aperte alla colonna " + std::to_string(opened) + " e mai chiuse");
                }
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        word += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                word += line[i++];
            }
            if (i < n && !isBlank(line[i])) {
                throw ScriptError("dopo le virgolette chiuse alla colonna " + std::to_string(i) + " manca uno spazio");
            }
        } else {
            while (i < n && !isBlank(line[i])) {
                if (line[i] == '"') {
                    throw ScriptError("virgolette dentro una parola senza virgolette alla colonna " +
                                      std::to_string(i + 1));
                }
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace valmora::cli
