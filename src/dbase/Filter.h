#pragma once
// The filter texts a table accepts: comparisons of a field with a quoted
// constant, joined by " And ":
//
//     Valuta >='01/03/2005' And Operazione ='Prelievo' And Commento = 'aff*'
//
// Operators are =, <=, >= (and <, >, <>); a constant is in single quotes with
// an inner quote doubled; on a date field it is a date written dd/mm/yyyy; on a
// text field a constant ending in '*' matches every value that begins with the
// text before it, and a '*' inside it stands for any run of characters.

#include "dbase/DbfFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace valmora::dbase {

class RecordFilter {
public:
    // Throws a TableError in Italian when the text cannot be parsed or names a field the table lacks.
    static RecordFilter parse(std::string_view text, const DbfLayout& layout, const std::string& path);

    // `record` is a whole record (flag byte first) of the table the filter was parsed for.
    bool matches(std::string_view record, const DbfLayout& layout, const std::string& path, bool caseInsensitive) const;
    bool empty() const { return conditions_.empty(); }

private:
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };
    struct Condition {
        std::size_t field = 0;
        Op op = Op::Equal;
        std::string text;       // text fields
        std::string foldedText; // the same, in lower case
        bool pattern = false;   // ends with '*'
        Date date;              // date fields
        double number = 0;      // numeric fields
        bool boolean = false;   // logical fields
    };
    std::vector<Condition> conditions_;
};

// Whether `value` matches `pattern`, where '*' stands for any run of characters.
bool wildcardMatch(std::string_view value, std::string_view pattern);

} // namespace valmora::dbase
