#include "model/StringList.h"

#include <algorithm>

namespace valmora {

namespace {

// Only ASCII letters are folded: the catalogue is plain ASCII, and a non-ASCII byte of a UTF-8
// text then orders after every ASCII character, which keeps accented words after plain ones.
unsigned char fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

} // namespace

int StringList::compareText(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = fold(a[i]);
        const unsigned char y = fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

std::size_t StringList::append(std::string text) {
    if (!sorted_) {
        items_.push_back(std::move(text));
        return items_.size() - 1;
    }
    // After every item that does not sort after it, so equal texts stay in arrival order.
    const auto place =
        std::upper_bound(items_.begin(), items_.end(), text,
                         [](const std::string& t, const std::string& item) { return compareText(t, item) < 0; });
    const auto index = static_cast<std::size_t>(place - items_.begin());
    items_.insert(place, std::move(text));
    return index;
}

std::optional<std::size_t> StringList::indexOf(std::string_view text) const {
    const auto found = std::find(items_.begin(), items_.end(), text);
    if (found == items_.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - items_.begin());
}

} // namespace valmora
