// The CSV tokenizer on what spreadsheets and banks really write: quotes, doubled quotes, separators and line
// breaks inside quotes, the three line ends.

#include "bank/BankCsvTokenizer.h"

#include <gtest/gtest.h>

namespace valmora::bank {
namespace {

std::vector<CsvRecord> all(std::string_view text, char separator) {
    CsvTokenizer t(text, separator);
    std::vector<CsvRecord> records;
    while (auto r = t.next())
        records.push_back(*r);
    EXPECT_FALSE(t.unterminatedQuote());
    return records;
}

using Fields = std::vector<std::string>;

TEST(CsvTokenizer, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const auto r = all("a;\"b;c\";\"say \"\"hi\"\"\";\"two\nlines\"\r\n\"\";x\"y;  \"padded\"  ;\n", ';');
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].fields, (Fields{"a", "b;c", "say \"hi\"", "two\nlines"}));
    EXPECT_EQ(r[0].line, 1);
    // An empty quoted field, a quote inside an unquoted field kept as written, blanks around quotes dropped,
    // a separator at the end giving a last empty field.
    EXPECT_EQ(r[1].fields, (Fields{"", "x\"y", "padded", ""}));
    EXPECT_EQ(r[1].line, 3); // the line break inside the quotes counted
}

TEST(CsvTokenizer, LineEndsOfEverySystemAndEmptyLines) {
    const auto r = all("a,b\r\nc,d\re,f\n\ng,h", ',');
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].fields, (Fields{"a", "b"}));
    EXPECT_EQ(r[1].fields, (Fields{"c", "d"}));
    EXPECT_EQ(r[2].fields, (Fields{"e", "f"}));
    EXPECT_EQ(r[3].fields, (Fields{""}));
    EXPECT_EQ(r[4].fields, (Fields{"g", "h"}));
    EXPECT_EQ(r[4].line, 5);
}

TEST(CsvTokenizer, AQuoteLeftOpenIsReportedWithItsLine) {
    CsvTokenizer t("a;b\nc;\"open\nd;e\n", ';');
    while (t.next()) {
    }
    EXPECT_TRUE(t.unterminatedQuote());
    EXPECT_EQ(t.unterminatedLine(), 2);
}

TEST(CsvTokenizer, TheSeparatorIsFoundFromTheFile) {
    EXPECT_EQ(detectSeparator("Data;Valuta;Importo\n02/03/2026;02/03/2026;-1,50\n"), ';');
    EXPECT_EQ(detectSeparator("Data\tValuta\tImporto\n02/03/26\t02/03/26\t-1,50\n"), '\t');
    EXPECT_EQ(detectSeparator("\"Data\",\"Valuta\",\"Importo\"\n\"02/03/2026\",\"02/03/2026\",\"-1,50\"\n"), ',');
    // Decimal commas in a semicolon file do not outvote the semicolons; commas inside quotes do not count.
    EXPECT_EQ(detectSeparator("Data;Importo\n02/03/2026;1,50\n03/03/2026;2,50\n\"a,b,c,d,e\";1\n"), ';');
    EXPECT_EQ(detectSeparator("no separator at all\n"), ';');
}

} // namespace
} // namespace valmora::bank
