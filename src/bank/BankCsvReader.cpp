#include "bank/BankCsvReader.h"

#include "bank/BankCsvColumns.h"
#include "bank/BankText.h"
#include "bank/BankValues.h"

#include <optional>

namespace valmora::bank {

namespace {

// A header is looked for this far down: banks put the account, the holder and the period above it.
constexpr int kHeaderSearchRecords = 40;

[[noreturn]] void fail(const std::string& fileName, const std::string& what) {
    throw BankListError("Il file \"" + fileName + "\" non è un elenco di movimenti: " + what + ".");
}

[[noreturn]] void failAt(const std::string& fileName, int line, const std::string& what) {
    throw BankListError("Il file \"" + fileName + "\", riga " + std::to_string(line) + ": " + what + ".");
}

const std::string& cell(const CsvRecord& r, std::size_t column) {
    static const std::string kEmpty;
    return column < r.fields.size() ? r.fields[column] : kEmpty;
}

bool blankRecord(const CsvRecord& r) {
    for (const std::string& f : r.fields)
        if (f.find_first_not_of(" \t\xC2\xA0") != std::string::npos)
            return false;
    return true;
}

class CsvListReader {
public:
    CsvListReader(const std::string& text, const std::string& fileName)
        : tokenizer_(text, detectSeparator(text)), fileName_(fileName) {}

    std::vector<BankLine> read() {
        findHeader();
        std::vector<BankLine> lines;
        while (std::optional<CsvRecord> r = nextRecord()) {
            if (std::optional<BankLine> line = movementOf(*r))
                lines.push_back(std::move(*line));
        }
        return lines;
    }

private:
    std::optional<CsvRecord> nextRecord() {
        std::optional<CsvRecord> r = tokenizer_.next();
        if (tokenizer_.unterminatedQuote())
            failAt(fileName_, tokenizer_.unterminatedLine(), "le virgolette aperte non sono chiuse");
        return r;
    }

    void findHeader() {
        for (int n = 0; n < kHeaderSearchRecords; ++n) {
            std::optional<CsvRecord> r = nextRecord();
            if (!r)
                break;
            const CsvColumns c = columnsOf(*r);
            if (c.rolesFound() < 2)
                continue;
            const std::string missing = missingColumn(c);
            if (!missing.empty())
                fail(fileName_, "manca la colonna " + missing);
            columns_ = c;
            return;
        }
        fail(fileName_, "manca la riga di intestazione con le colonne \"Data\", \"Valuta\" e \"Importo\"");
    }

    // The bank line of a record, or nothing for a blank or summary line.
    std::optional<BankLine> movementOf(const CsvRecord& r) {
        if (blankRecord(r))
            return std::nullopt;
        const DateCell booked = readBankDate(cell(r, *columns_.data));
        if (booked.kind == DateCell::Kind::Empty || booked.kind == DateCell::Kind::NotADate)
            return std::nullopt; // "Saldo iniziale", "Totale", a note
        if (booked.kind == DateCell::Kind::Invalid)
            failAt(fileName_, r.line, "la data \"" + cell(r, *columns_.data) + "\" non è una data valida");
        const DateCell valued = readBankDate(cell(r, *columns_.valuta));
        if (valued.kind == DateCell::Kind::Empty)
            failAt(fileName_, r.line, "manca la data valuta");
        if (valued.kind != DateCell::Kind::Valid)
            failAt(fileName_, r.line, "la data valuta \"" + cell(r, *columns_.valuta) + "\" non è una data valida");

        BankLine line;
        line.data = booked.date;
        line.valuta = valued.date;
        line.importo = amountOf(r);
        line.riga = r.line;
        std::string description;
        for (const std::size_t column : columns_.descrizione) {
            if (!description.empty())
                description += ' ';
            description += cell(r, column);
        }
        line.descrizione = collapseBlanks(description);
        return line;
    }

    std::optional<Money> amountIn(const CsvRecord& r, std::size_t column) {
        const std::string& text = cell(r, column);
        if (text.find_first_not_of(" \t") == std::string::npos)
            return std::nullopt;
        const std::optional<Money> m = readBankAmount(text);
        if (!m)
            failAt(fileName_, r.line, "l'importo \"" + text + "\" non è un numero");
        return m;
    }

    Money amountOf(const CsvRecord& r) {
        if (columns_.importo) {
            if (const std::optional<Money> m = amountIn(r, *columns_.importo))
                return *m;
            failAt(fileName_, r.line, "manca l'importo");
        }
        // Money out and money in: the bank may write the first with or without its minus sign.
        const std::optional<Money> out = amountIn(r, *columns_.dare);
        const std::optional<Money> in = amountIn(r, *columns_.avere);
        if (!out && !in)
            failAt(fileName_, r.line, "manca l'importo");
        return (in ? in->abs() : Money()) - (out ? out->abs() : Money());
    }

    CsvTokenizer tokenizer_;
    const std::string& fileName_;
    CsvColumns columns_;
};

} // namespace

std::vector<BankLine> readBankCsv(std::string_view bytes, const std::string& fileName) {
    const std::string text = decodeBankText(bytes);
    return CsvListReader(text, fileName).read();
}

} // namespace valmora::bank
