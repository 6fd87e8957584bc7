#include "dbase/Filter.h"

#include "dbase/FieldCodec.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace valmora::dbase {
namespace {

class FilterParser {
public:
    FilterParser(std::string_view text, const std::string& path) : text_(text), path_(path) {}

    // Whether only blanks are left; consumes nothing, so a conjunction still sees its leading blank.
    bool atEnd() const {
        for (std::size_t i = pos_; i < text_.size(); ++i)
            if (!std::isspace(static_cast<unsigned char>(text_[i])))
                return false;
        return true;
    }

    std::string identifier() {
        skipBlanks();
        std::size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
            ++pos_;
        if (start == pos_)
            fail("manca il nome di un campo alla posizione " + std::to_string(start + 1));
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string op(const std::string& after) {
        skipBlanks();
        static constexpr std::string_view kOps[] = {"<=", ">=", "<>", "=", "<", ">"};
        for (std::string_view o : kOps)
            if (text_.substr(pos_, o.size()) == o) {
                pos_ += o.size();
                return std::string(o);
            }
        fail("manca l'operatore di confronto dopo " + after);
    }

    std::string literal(const std::string& after) {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != '\'')
            fail("manca il valore tra apici dopo " + after);
        std::string out;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            if (text_[pos_] == '\'') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                    out.push_back('\'');
                    ++pos_;
                    continue;
                }
                ++pos_;
                return out;
            }
            out.push_back(text_[pos_]);
        }
        fail("manca l'apice che chiude il valore dopo " + after);
    }

    void conjunction() {
        // Blanks on both sides of "And" keep it apart from a field name such as ANDATA.
        const std::size_t before = pos_;
        skipBlanks();
        const bool blankBefore = pos_ > before;
        if (blankBefore && pos_ + 3 < text_.size() && equalsIgnoringCase(text_.substr(pos_, 3), "And") &&
            std::isspace(static_cast<unsigned char>(text_[pos_ + 3]))) {
            pos_ += 3;
            return;
        }
        fail("atteso \"And\" alla posizione " + std::to_string(pos_ + 1));
    }

    [[noreturn]] void fail(const std::string& detail) const {
        throw TableError("Il filtro \"" + std::string(text_) + "\" della tabella " + path_ +
                         " non è valido: " + detail + ".");
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    std::string_view text_;
    const std::string& path_;
    std::size_t pos_ = 0;
};

template <typename T> bool compare(const T& a, const T& b, int op) {
    switch (op) {
    case 0:
        return a == b;
    case 1:
        return a != b;
    case 2:
        return a < b;
    case 3:
        return a <= b;
    case 4:
        return b < a;
    default:
        return b <= a;
    }
}

std::optional<double> parseNumber(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos)
        return 0.0;
    std::size_t e = text.find_last_not_of(' ');
    std::string_view s(text.data() + b, e - b + 1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double d = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return d;
}

} // namespace

bool wildcardMatch(std::string_view value, std::string_view pattern) {
    // Greedy matching with one step back: enough for '*' as the only wildcard.
    std::size_t v = 0, p = 0, starP = std::string_view::npos, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starV = v;
        } else if (p < pattern.size() && pattern[p] == value[v]) {
            ++p;
            ++v;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

RecordFilter RecordFilter::parse(std::string_view text, const DbfLayout& layout, const std::string& path) {
    RecordFilter filter;
    FilterParser parser(text, path);
    if (parser.atEnd())
        return filter;
    while (true) {
        const std::string name = parser.identifier();
        Condition c;
        bool found = false;
        for (std::size_t i = 0; i < layout.fields.size() && !found; ++i)
            if (equalsIgnoringCase(layout.fields[i].name, name)) {
                c.field = i;
                found = true;
            }
        if (!found)
            parser.fail("la tabella non ha il campo " + name);
        const std::string op = parser.op(name);
        c.op = op == "="    ? Op::Equal
               : op == "<>" ? Op::NotEqual
               : op == "<"  ? Op::Less
               : op == "<=" ? Op::LessOrEqual
               : op == ">"  ? Op::Greater
                            : Op::GreaterOrEqual;
        const std::string value = parser.literal(name);
        const FieldDef& def = layout.fields[c.field];
        switch (def.type) {
        case FieldType::Character:
            c.text = value.substr(0, value.find_last_not_of(' ') + 1); // npos + 1 is 0
            c.foldedText = foldCase(c.text);
            c.pattern = !c.text.empty() && c.text.back() == '*';
            break;
        case FieldType::Date:
        case FieldType::Timestamp:
            if (!value.empty()) {
                auto d = Date::parse(value);
                if (!d)
                    parser.fail("'" + value + "' non è una data scritta gg/mm/aaaa");
                c.date = *d;
            }
            break;
        case FieldType::Logical:
            if (value.empty() || !(meansTrue(value.front()) || meansFalse(value.front())))
                parser.fail("'" + value + "' non è un valore logico");
            c.boolean = meansTrue(value.front());
            break;
        default: {
            auto n = parseNumber(value);
            if (!n)
                parser.fail("'" + value + "' non è un numero");
            c.number = *n;
        }
        }
        filter.conditions_.push_back(std::move(c));
        if (parser.atEnd())
            break;
        parser.conjunction();
    }
    return filter;
}

bool RecordFilter::matches(std::string_view record, const DbfLayout& layout, const std::string& path,
                           bool caseInsensitive) const {
    for (const Condition& c : conditions_) {
        const FieldDef& def = layout.fields[c.field];
        const std::string_view bytes = record.substr(layout.offsets[c.field], static_cast<std::size_t>(def.width));
        const FieldContext ctx{def, layout.codePage, path};
        const int op = static_cast<int>(c.op);
        bool ok = false;
        switch (def.type) {
        case FieldType::Character: {
            std::string value = readText(bytes, ctx);
            if (caseInsensitive)
                value = foldCase(value);
            const std::string& literal = caseInsensitive ? c.foldedText : c.text;
            if (c.pattern && (c.op == Op::Equal || c.op == Op::NotEqual))
                ok = wildcardMatch(value, literal) == (c.op == Op::Equal);
            else
                ok = compare(value, literal, op);
            break;
        }
        case FieldType::Date:
        case FieldType::Timestamp:
            ok = compare(readDate(bytes, ctx), c.date, op);
            break;
        case FieldType::Logical:
            ok = compare(readBoolean(bytes, ctx), c.boolean, op);
            break;
        default:
            ok = compare(readFloat(bytes, ctx), c.number, op);
        }
        if (!ok)
            return false;
    }
    return true;
}

} // namespace valmora::dbase
