#pragma once
// A list of texts as the program's list controls hold them: either in the order of appending, or
// keeping itself sorted the way a sorted list box does (case-insensitive, so "accredito" and
// "Accredito" sit together; equal texts keep their order of arrival). The screen copies the items
// into its controls; the engine fills and reads lists without knowing about any control.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valmora {

class StringList {
public:
    explicit StringList(bool sorted = false) : sorted_(sorted) {}

    // The ordinary append: at the end, or at its place in a sorted list. Returns the item's index.
    std::size_t append(std::string text);
    void clear() { items_.clear(); }

    const std::vector<std::string>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const std::string& operator[](std::size_t index) const { return items_[index]; }
    bool sorted() const { return sorted_; }
    // The first item exactly equal to `text` (case-sensitive, like every text comparison of the program).
    std::optional<std::size_t> indexOf(std::string_view text) const;

    // The order a sorted list uses: letters compared without regard to case, then byte by byte.
    // Returns <0, 0 or >0.
    static int compareText(std::string_view a, std::string_view b);

private:
    std::vector<std::string> items_;
    bool sorted_;
};

} // namespace valmora
