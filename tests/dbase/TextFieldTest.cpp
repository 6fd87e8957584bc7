// Text and date fields through the codec's quick paths: plain ASCII copied as it is, padding
// skipped in whole words, dates written digit by digit. Each must give exactly what the
// character-by-character reading and writing gives, at every length and in every code page.

#include "MovementsFixture.h"
#include "dbase/CodePage.h"
#include "dbase/FieldCodec.h"

#include <array>
#include <random>

namespace valmora::dbase::testing {
namespace {

// The first n characters of a text mixing ASCII with accented letters and a sign only some code
// pages have (the euro in Windows-1252, the u with diaeresis in the DOS ones).
std::string sample(std::size_t n, bool ascii, CodePage cp) {
    static const std::vector<std::string> letters = {"a", "b", "è", " ", "c", "€", "d", "à", "e", "f", "ù"};
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& l = letters[(i * 7 + 3) % letters.size()];
        if (ascii && static_cast<unsigned char>(l[0]) >= 0x80)
            out += "x";
        else if (l == "€" && cp != CodePage::Windows1252)
            out += "ü";
        else
            out += l;
    }
    return out;
}

std::string withoutTrailingBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

TEST(TextField, EveryLengthRoundTripsInAWideFieldInEachCodePage) {
    const FieldDef def = FieldDef::text("COMMENTO", 250);
    const std::string path = "conto.dbf";
    for (const CodePage cp : {CodePage::Windows1252, CodePage::Dos850}) {
        const FieldContext c{def, cp, path};
        for (const bool ascii : {true, false}) {
            for (std::size_t n = 0; n <= 260; ++n) {
                const std::string text = sample(n, ascii, cp);
                std::string bytes(250, '#');
                writeText(bytes, text, c);
                ASSERT_EQ(bytes.size(), 250u);
                const std::string expected = withoutTrailingBlanks(sample(std::min<std::size_t>(n, 250), ascii, cp));
                ASSERT_EQ(readText(bytes, c), expected) << n << " characters, ascii " << ascii;
                std::string spare = "left over";
                const std::string_view view = readTextView(bytes, c, spare);
                ASSERT_EQ(view, expected) << n << " characters, ascii " << ascii << ", as a view";
                if (ascii) { // the row's own bytes, no copy
                    ASSERT_TRUE(view.empty() || view.data() == bytes.data()) << n;
                }
                ASSERT_EQ(fieldIsBlank(bytes, def.type), expected.empty()) << n;
                // Padded with NULs instead of blanks (as some programs write) it reads the same.
                std::string nulPadded = bytes;
                for (std::size_t i = nulPadded.size(); i-- > 0 && nulPadded[i] == ' ';)
                    nulPadded[i] = '\0';
                ASSERT_EQ(readText(nulPadded, c), expected) << n;
            }
        }
    }
}

TEST(TextField, BlankFieldsAndPaddingInsideTheTextStay) {
    const FieldDef def = FieldDef::text("TIPO", 25);
    const std::string path = "conto.dbf";
    const FieldContext c{def, CodePage::Windows1252, path};
    EXPECT_EQ(readText(std::string(25, ' '), c), "");
    EXPECT_EQ(readText(std::string(25, '\0'), c), "");
    EXPECT_TRUE(fieldIsBlank(std::string(25, ' '), def.type));
    EXPECT_TRUE(fieldIsBlank(std::string("  \0 \0", 5) + std::string(20, ' '), def.type));
    std::string inner = "a" + std::string(16, ' ') + "b" + std::string(7, ' ');
    EXPECT_EQ(readText(inner, c), "a" + std::string(16, ' ') + "b") << "blanks between words are text";
    EXPECT_FALSE(fieldIsBlank(inner, def.type));
    std::string leading = std::string(17, ' ') + "z" + std::string(7, ' ');
    EXPECT_EQ(readText(leading, c), std::string(17, ' ') + "z");

    // A refused character anywhere, even past the width, leaves the field as it was.
    std::string bytes(25, ' ');
    writeText(bytes, "ok", c);
    EXPECT_THROW(writeText(bytes, std::string(30, 'a') + "あ", c), TableError);
    EXPECT_EQ(readText(bytes, c), "ok");
}

TEST(TextField, PaddingOfBlanksAndNulsIsCutWhereverTheTextEnds) {
    // The padding is skipped in blocks of bytes; a text may end at any place in a block, and blanks
    // and NULs may mix in the padding.
    const std::string path = "conto.dbf";
    std::mt19937 rng(7);
    for (const int width : {1, 7, 8, 15, 16, 17, 31, 32, 33, 47, 64, 100, 250, 254}) {
        const FieldDef def = FieldDef::text("CAMPO", width);
        const FieldContext c{def, CodePage::Windows1252, path};
        for (int round = 0; round < 300; ++round) {
            std::string bytes(static_cast<std::size_t>(width), ' ');
            const std::size_t textEnd = rng() % (bytes.size() + 1);
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                const auto r = rng() % 8;
                if (i < textEnd)
                    bytes[i] = r == 0 ? ' ' : (r == 1 ? '\xE8' : static_cast<char>('a' + r));
                else
                    bytes[i] = r == 0 ? '\0' : ' ';
            }
            std::string expected(bytes);
            while (!expected.empty() && (expected.back() == ' ' || expected.back() == '\0'))
                expected.pop_back();
            ASSERT_EQ(readText(bytes, c), decodeText(expected, CodePage::Windows1252)) << width << " " << textEnd;
            ASSERT_EQ(fieldIsBlank(bytes, def.type), expected.empty()) << width << " " << textEnd;
        }
    }
}

// A row remembers where its trailing padding begins, and text reads stop there. Whatever made the
// row's bytes (the file read at open, an append, a post) must leave that mark right, or a text
// would come back cut short.
TEST(TextField, TextReadsAgreeWithTheRowWhereverItsPaddingBegins) {
    const std::vector<FieldDef> fields = {FieldDef::text("NOME", 12), FieldDef::money("IMPORTO"),
                                          FieldDef::text("COMMENTO", 120), FieldDef::text("NOTA", 5)};
    std::mt19937 rng(11);
    // Blank, short or long; the later fields are often blank, so the padding starts anywhere.
    auto someText = [&](std::size_t width) {
        const auto kind = rng() % 4;
        if (kind == 0)
            return std::string();
        const std::size_t n = kind == 1 ? 1 + rng() % 3 : 1 + rng() % width;
        std::string text = sample(n, false, CodePage::Windows1252);
        return withoutTrailingBlanks(text);
    };
    using Row = std::array<std::string, 3>;
    auto someRow = [&] { return Row{someText(12), someText(120), someText(5)}; };
    auto expectRow = [](Table& t, const Row& row, const std::string& where) {
        std::string spare;
        EXPECT_EQ(t.fieldByName("NOME").asString(), row[0]) << where;
        EXPECT_EQ(t.fieldByName("COMMENTO").asString(), row[1]) << where;
        EXPECT_EQ(t.fieldByName("COMMENTO").asStringView(spare), row[1]) << where;
        EXPECT_EQ(t.fieldByName("NOTA").asString(), row[2]) << where;
        EXPECT_EQ(t.fieldByName("IMPORTO").asMoney(), Money::fromWhole(7)) << where;
    };
    auto expectAll = [&](Table& t, const std::vector<Row>& rows, const std::string& where) {
        std::size_t i = 0;
        for (t.first(); !t.eof(); t.next(), ++i)
            expectRow(t, rows.at(i), where + " row " + std::to_string(i + 1));
        EXPECT_EQ(i, rows.size()) << where;
    };

    TempDir dir;
    Table t;
    t.bind(dir.str(), "testi.dbf");
    t.create(fields, {});
    t.open();
    std::vector<Row> rows;
    for (int i = 0; i < 200; ++i) {
        rows.push_back(someRow());
        t.appendRecord({rows.back()[0], Money::fromWhole(7), rows.back()[1], rows.back()[2]});
    }
    expectAll(t, rows, "appended");

    // Each edit makes the texts longer or shorter than before; the buffer reads as set while editing.
    int i = 0;
    for (t.first(); !t.eof(); t.next(), ++i) {
        if (i % 3 != 0)
            continue;
        Row& row = rows[static_cast<std::size_t>(i)];
        row = someRow();
        t.edit();
        t.fieldByName("NOME").setString(row[0]);
        t.fieldByName("COMMENTO").setString(row[1]);
        t.fieldByName("NOTA").setString(row[2]);
        expectRow(t, row, "editing");
        t.post();
        expectRow(t, row, "posted");
    }
    expectAll(t, rows, "after the edits");
    t.close();
    t.open();
    expectAll(t, rows, "reopened");
    t.close();

    // Padding of NULs, as some writers leave it, in the middle of a record and at its end.
    std::string file = readAll(dir.file("testi.dbf"));
    const std::size_t headerLength = static_cast<unsigned char>(file[8]) | (static_cast<unsigned char>(file[9]) << 8);
    const std::size_t nota = 1 + 12 + 20 + 120;
    file.replace(headerLength + 1 + rows[0][0].size(), 12 - rows[0][0].size(), 12 - rows[0][0].size(), '\0');
    file.replace(headerLength + nota, 5, 5, '\0');
    file.replace(headerLength + 1 + 12 + 20, 120, 120, '\0');
    writeAll(dir.file("testi.dbf"), file);
    rows[0][1].clear();
    rows[0][2].clear();
    t.open();
    expectAll(t, rows, "NUL padded");
}

TEST(DateField, DatesAreWrittenAsYyyymmddAcrossTheWholeRange) {
    const FieldDef def = FieldDef::date("VALUTA");
    const std::string path = "conto.dbf";
    const FieldContext c{def, CodePage::Windows1252, path};
    for (const Date d : {ymd(1, 1, 1), ymd(9, 9, 9), ymd(999, 12, 31), ymd(1999, 12, 31), ymd(2000, 2, 29),
                         ymd(2005, 3, 10), ymd(9999, 12, 31)}) {
        std::string bytes(8, ' ');
        writeDate(bytes, d, c);
        EXPECT_EQ(bytes, d.toCompact());
        EXPECT_EQ(readDate(bytes, c), d);
    }
    std::string bytes = "20050310";
    writeDate(bytes, Date(), c);
    EXPECT_EQ(bytes, std::string(8, ' ')) << "no date is a blank field";
}

TEST(DateField, EveryByteBesideTheDigitsMakesTheDateUnreadable) {
    const FieldDef def = FieldDef::date("VALUTA");
    const std::string path = "conto.dbf";
    const FieldContext c{def, CodePage::Windows1252, path};
    EXPECT_EQ(readDate("00000000", c), Date());
    for (std::size_t at = 0; at < 8; ++at)
        for (int b = 0; b < 256; ++b) {
            std::string bytes = "20050310";
            bytes[at] = static_cast<char>(b);
            const bool digit = b >= '0' && b <= '9';
            if (digit) {
                const auto d = Date::parseCompact(bytes);
                if (d) {
                    ASSERT_EQ(readDate(bytes, c), *d) << bytes;
                } else {
                    ASSERT_THROW(readDate(bytes, c), TableError) << bytes;
                }
            } else if (b != ' ') {
                ASSERT_THROW(readDate(bytes, c), TableError) << "byte " << b << " at " << at;
            }
        }
}

} // namespace
} // namespace valmora::dbase::testing
