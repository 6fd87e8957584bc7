#include "bank/Camt053Reader.h"

#include "bank/BankText.h"
#include "bank/BankValues.h"

#include <expat.h>

#include <climits>
#include <optional>

namespace valmora::bank {

namespace {

// Element names without their namespace prefix or URI ("urn:...:camt.053.001.02|Ntry" gives "Ntry").
std::string_view localName(const XML_Char* name) {
    std::string_view n(name);
    const std::size_t cut = n.find_last_of("|:");
    return cut == std::string_view::npos ? n : n.substr(cut + 1);
}

// One Ntry as read so far.
struct EntryTexts {
    int line = 0;
    std::optional<std::string> amount;
    std::optional<std::string> direction;
    std::optional<std::string> booked;
    std::optional<std::string> valued;
    std::optional<std::string> additional;
    std::string remittance;
};

class Camt053Parser {
public:
    explicit Camt053Parser(const std::string& fileName) : fileName_(fileName) {
        parser_ = XML_ParserCreateNS(nullptr, '|');
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &Camt053Parser::onStart, &Camt053Parser::onEnd);
        XML_SetCharacterDataHandler(parser_, &Camt053Parser::onText);
    }
    ~Camt053Parser() { XML_ParserFree(parser_); }
    Camt053Parser(const Camt053Parser&) = delete;
    Camt053Parser& operator=(const Camt053Parser&) = delete;

    std::vector<BankLine> parse(std::string_view bytes) {
        if (bytes.size() > static_cast<std::size_t>(INT_MAX))
            fail("è troppo grande");
        if (XML_Parse(parser_, bytes.data(), static_cast<int>(bytes.size()), 1) == XML_STATUS_ERROR) {
            if (pending_)
                throw BankListError(*pending_);
            const XML_Error code = XML_GetErrorCode(parser_);
            const auto line = static_cast<long>(XML_GetCurrentLineNumber(parser_));
            const bool truncated = code == XML_ERROR_NO_ELEMENTS || code == XML_ERROR_UNCLOSED_TOKEN ||
                                   code == XML_ERROR_PARTIAL_CHAR || code == XML_ERROR_UNCLOSED_CDATA_SECTION;
            fail(truncated ? "il documento XML si interrompe prima della fine (riga " + std::to_string(line) + ")"
                           : "il documento XML non è valido alla riga " + std::to_string(line));
        }
        if (!sawStatement_)
            fail("manca l'estratto conto camt.053 (BkToCstmrStmt)");
        return std::move(lines_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw BankListError("Il file \"" + fileName_ + "\" non è un estratto conto camt.053 leggibile: " + what + ".");
    }

    // A fault found inside a callback: expat is stopped and the message thrown once it has returned.
    void stopWith(std::string message) {
        if (!pending_)
            pending_ = std::move(message);
        XML_StopParser(parser_, XML_FALSE);
    }

    void entryFault(const std::string& what) {
        stopWith("Il file \"" + fileName_ + "\", riga " + std::to_string(entry_.line) + ": " + what + ".");
    }

    // The element path below the Ntry being read, as "BookgDt/Dt".
    std::string pathInEntry() const {
        std::string p;
        for (std::size_t i = entryDepth_ + 1; i < stack_.size(); ++i) {
            if (!p.empty())
                p += '/';
            p += stack_[i];
        }
        return p;
    }

    void start(std::string_view name) {
        stack_.emplace_back(name);
        text_.clear();
        if (name == "BkToCstmrStmt")
            sawStatement_ = true;
        if (name == "Ntry" && sawStatement_ && !inEntry_) {
            inEntry_ = true;
            entryDepth_ = stack_.size() - 1;
            entry_ = EntryTexts{};
            entry_.line = static_cast<int>(XML_GetCurrentLineNumber(parser_));
        }
    }

    void end() {
        if (inEntry_) {
            if (stack_.size() - 1 == entryDepth_) {
                finishEntry();
                inEntry_ = false;
            } else {
                keepEntryText();
            }
        }
        stack_.pop_back();
        text_.clear();
    }

    void keepEntryText() {
        const std::string path = pathInEntry();
        if (path == "Amt")
            entry_.amount = text_;
        else if (path == "CdtDbtInd")
            entry_.direction = text_;
        else if (path == "BookgDt/Dt" || path == "BookgDt/DtTm")
            entry_.booked = text_;
        else if (path == "ValDt/Dt" || path == "ValDt/DtTm")
            entry_.valued = text_;
        else if (path == "AddtlNtryInf")
            entry_.additional = text_;
        else if (stack_.back() == "Ustrd" && stack_.size() >= 2 && stack_[stack_.size() - 2] == "RmtInf") {
            if (!entry_.remittance.empty())
                entry_.remittance += ' ';
            entry_.remittance += text_;
        }
    }

    std::optional<Date> dateOf(const std::optional<std::string>& text, const std::string& what) {
        if (!text) {
            entryFault("manca " + what);
            return std::nullopt;
        }
        const DateCell d = readBankDate(*text);
        if (d.kind != DateCell::Kind::Valid) {
            entryFault("\"" + *text + "\" non è una data valida (" + what + ")");
            return std::nullopt;
        }
        return d.date;
    }

    void finishEntry() {
        if (!entry_.amount)
            return entryFault("manca l'importo (Amt)");
        const std::optional<Money> amount = Money::fromDecimalText(collapseBlanks(*entry_.amount));
        if (!amount)
            return entryFault("l'importo \"" + *entry_.amount + "\" non è un numero");
        const std::string direction = entry_.direction ? collapseBlanks(*entry_.direction) : "";
        if (direction != "CRDT" && direction != "DBIT")
            return entryFault("manca il segno dell'importo (CdtDbtInd CRDT o DBIT)");
        const std::optional<Date> booked = dateOf(entry_.booked, "la data contabile (BookgDt)");
        if (!booked)
            return;
        const std::optional<Date> valued = dateOf(entry_.valued, "la data valuta (ValDt)");
        if (!valued)
            return;
        BankLine line;
        line.data = *booked;
        line.valuta = *valued;
        line.importo = direction == "CRDT" ? amount->abs() : -amount->abs();
        line.descrizione = collapseBlanks(entry_.additional ? *entry_.additional : entry_.remittance);
        line.riga = entry_.line;
        lines_.push_back(std::move(line));
    }

    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char**) {
        static_cast<Camt053Parser*>(self)->start(localName(name));
    }
    static void XMLCALL onEnd(void* self, const XML_Char*) { static_cast<Camt053Parser*>(self)->end(); }
    static void XMLCALL onText(void* self, const XML_Char* s, int length) {
        static_cast<Camt053Parser*>(self)->text_.append(s, static_cast<std::size_t>(length));
    }

    const std::string& fileName_;
    XML_Parser parser_ = nullptr;
    std::vector<std::string> stack_;
    std::string text_; // the character data of the innermost open element
    bool sawStatement_ = false;
    bool inEntry_ = false;
    std::size_t entryDepth_ = 0;
    EntryTexts entry_;
    std::vector<BankLine> lines_;
    std::optional<std::string> pending_;
};

} // namespace

bool looksLikeXml(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

std::vector<BankLine> readCamt053(std::string_view bytes, const std::string& fileName) {
    return Camt053Parser(fileName).parse(bytes);
}

} // namespace valmora::bank
