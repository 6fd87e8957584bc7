// The .dbf codec: every field type round trips through a real file, the header is
// the dBase IV one other programs expect, and older dBase levels and code pages read.

#include "DbfBytes.h"
#include "MovementsFixture.h"
#include "dbase/CodePage.h"

#include <bit>
#include <filesystem>
#include <limits>
#include <fstream>
#include <sstream>

namespace valmora::dbase::testing {
namespace {

class Codec : public ::testing::Test {
protected:
    void SetUp() override {
        t.bind(dir.str(), "tipi.dbf");
        t.create({FieldDef::text("TESTO", 12), FieldDef::money("IMPORTO"), FieldDef::number("NUMERO"),
                  FieldDef::date("DATA"), FieldDef::boolean("FLAG")},
                 {"Data", "DATA"});
        t.open();
    }

    void reopen() {
        t.close();
        t.open();
        t.first();
    }

    Field f(const char* name) { return t.fieldByName(name); }

    TempDir dir;
    Table t;
};

TEST_F(Codec, EveryTypeRoundTripsThroughTheFile) {
    t.append();
    f("TESTO").setString("  àèéìòù €£");
    f("IMPORTO").setMoney(Money::fromUnits(-12345678)); // -1234,5678
    f("NUMERO").setInteger(27);
    f("DATA").setDate(ymd(2004, 2, 29));
    f("FLAG").setBoolean(true);
    t.post();
    t.append();
    f("IMPORTO").setMoney(Money::fromUnits(INT64_MAX)); // the widest amount, 20 characters
    f("NUMERO").setFloat(0.1 + 0.2);
    f("FLAG").setBoolean(false);
    t.post();
    t.append(); // everything left empty
    t.post();
    t.setIndexName("");
    reopen();

    EXPECT_EQ(f("TESTO").asString(), "  àèéìòù €£") << "leading blanks stay, trailing ones go";
    EXPECT_EQ(f("IMPORTO").asMoney(), Money::fromUnits(-12345678));
    EXPECT_EQ(f("NUMERO").asInteger(), 27);
    EXPECT_EQ(f("DATA").asDate(), ymd(2004, 2, 29));
    EXPECT_EQ(f("DATA").asString(), "29/02/2004");
    EXPECT_TRUE(f("FLAG").asBoolean());
    EXPECT_EQ(std::get<Money>(f("IMPORTO").value()), Money::fromUnits(-12345678));
    t.next();
    EXPECT_EQ(f("IMPORTO").asMoney(), Money::fromUnits(INT64_MAX));
    EXPECT_EQ(f("NUMERO").asMoney(), Money::fromUnits(3000)) << "a double is rounded to four decimals once";
    EXPECT_FALSE(f("FLAG").asBoolean());
    EXPECT_FALSE(f("FLAG").isNull());
    t.next();
    for (int i = 0; i < t.fieldCount(); ++i) {
        EXPECT_TRUE(t.field(i).isNull()) << t.field(i).name();
        EXPECT_TRUE(std::holds_alternative<std::monostate>(t.field(i).value()));
    }
    EXPECT_EQ(f("TESTO").asString(), "");
    EXPECT_EQ(f("IMPORTO").asMoney(), Money());
    EXPECT_EQ(f("NUMERO").asFloat(), 0.0);
    EXPECT_EQ(f("DATA").asDate(), Date());
    EXPECT_FALSE(f("FLAG").asBoolean());
}

TEST_F(Codec, TheHeaderAndNumbersAreWrittenAsDBaseIvWritesThem) {
    t.appendRecord({std::string("x"), Money::fromUnits(125000), std::int64_t(-3), ymd(2005, 3, 1), true});
    const std::string file = readAll(dir.file("tipi.dbf"));
    ASSERT_GT(file.size(), 32u * 6 + 1);
    EXPECT_EQ(file[0], '\x03') << "dBase IV without memo";
    EXPECT_EQ(file[4], '\x01') << "one record counted";
    EXPECT_EQ(file[28], '\x01') << "a production .mdx belongs to it";
    EXPECT_EQ(file[29], '\x57') << "Windows-1252";
    const std::size_t headerLength = 32 * 6 + 1;
    EXPECT_EQ(static_cast<unsigned char>(file[8]) | static_cast<unsigned char>(file[9]) << 8, headerLength);
    EXPECT_EQ(file.substr(32, 11), std::string("TESTO\0\0\0\0\0\0", 11));
    EXPECT_EQ(file[32 + 11], 'C');
    EXPECT_EQ(file[64 + 11], 'N');
    EXPECT_EQ(file[64 + 16], 20);
    EXPECT_EQ(file[64 + 17], 4);
    EXPECT_EQ(file[128 + 31], '\x01') << "DATA has its own tag";
    EXPECT_EQ(file[headerLength - 1], '\x0D');
    const std::string record = file.substr(headerLength, 1 + 12 + 20 + 20 + 8 + 1);
    EXPECT_EQ(record,
              " x           " + std::string(13, ' ') + "12.5000" + std::string(13, ' ') + "-3.0000" + "20050301" + "T");
    EXPECT_EQ(file.back(), '\x1A');
    EXPECT_EQ(file.size(), headerLength + record.size() + 1);

    // A table without an index does not promise an .mdx.
    TempDir plain;
    Table u;
    u.bind(plain.str(), "transito.dbf");
    u.create({FieldDef::text("NOME", 5)}, {});
    EXPECT_EQ(readAll(plain.file("transito.dbf"))[28], '\0');
    EXPECT_FALSE(std::filesystem::exists(plain.file("transito.mdx")));
}

TEST_F(Codec, TextIsCutOnACharacterAndRefusedWhenTheCodePageLacksIt) {
    t.append();
    f("TESTO").setString("perché no àè ancora");
    EXPECT_EQ(f("TESTO").asString(), "perché no àè") << "12 characters, whatever their UTF-8 length";
    f("TESTO").setString("ok");
    try {
        f("TESTO").setString("ciao あ");
        FAIL();
    } catch (const TableError& e) {
        EXPECT_EQ(std::string(e.what()), "Il carattere 'あ' del campo TESTO non può essere salvato nel file " +
                                             dir.file("tipi.dbf") + ": la tabella usa la codifica Windows-1252.");
    }
    EXPECT_EQ(f("TESTO").asString(), "ok") << "a refused text leaves the field as it was";
    EXPECT_THROW(f("TESTO").setString("\xC3("), TableError) << "not UTF-8";
    EXPECT_THROW(f("IMPORTO").setMoney(Money::fromUnits(INT64_MIN)), TableError) << "21 characters";
    EXPECT_THROW(f("DATA").setString("31/02/2005"), TableError);
    f("IMPORTO").setString("12,5");
    EXPECT_EQ(f("IMPORTO").asMoney(), Money::fromUnits(125000));
    f("DATA").setString("01/03/2005");
    EXPECT_EQ(f("DATA").asDate(), ymd(2005, 3, 1));
    t.post();
}

TEST(CodePages, EveryByteSurvivesARoundTripInEachCodePage) {
    for (CodePage cp : {CodePage::Windows1252, CodePage::Dos437, CodePage::Dos850}) {
        std::string all;
        for (int b = 1; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        const std::string text = decodeText(all, cp);
        Encoded back = encodeText(text, cp);
        ASSERT_TRUE(back.ok()) << codePageName(cp);
        EXPECT_EQ(back.bytes, all) << codePageName(cp);
    }
    // Longer than any field (an error message may quote more), decoded the same piece by piece.
    for (CodePage cp : {CodePage::Windows1252, CodePage::Dos850}) {
        std::string piece;
        for (int b = 255; b > 0; --b)
            piece.push_back(static_cast<char>(b));
        EXPECT_EQ(decodeText(piece + piece + piece, cp), decodeText(piece, cp) + decodeText(piece, cp) + decodeText(piece, cp));
    }
    // Bytes that differ between the three.
    EXPECT_EQ(decodeText("\x80\x9B\xE0", CodePage::Windows1252), "€›à");
    EXPECT_EQ(decodeText("\x80\x9B\xE0\x85", CodePage::Dos437), "Ç¢αà");
    EXPECT_EQ(decodeText("\x80\x9B\xE0\xD5", CodePage::Dos850), "ÇøÓı");
    EXPECT_EQ(encodeText("€", CodePage::Dos850).refusedCharacter, "€");
    EXPECT_EQ(encodeText("ab€", CodePage::Windows1252).bytes, "ab\x80");
    EXPECT_EQ(foldCase("ÀÈÌ Œuvre ÉCOLE"), "àèì œuvre école");
}

TEST(CodePages, TheLanguageDriverChoosesTheCodePage) {
    EXPECT_EQ(codePageFromDriver(0x57, ""), CodePage::Windows1252);
    EXPECT_EQ(codePageFromDriver(0x58, ""), CodePage::Windows1252);
    EXPECT_EQ(codePageFromDriver(0x1B, ""), CodePage::Dos437);
    EXPECT_EQ(codePageFromDriver(0x11, ""), CodePage::Dos437);
    EXPECT_EQ(codePageFromDriver(0x37, ""), CodePage::Dos850);
    EXPECT_EQ(codePageFromDriver(0x12, ""), CodePage::Dos850);
    EXPECT_EQ(codePageFromDriver(0x00, ""), CodePage::Windows1252);
    EXPECT_EQ(codePageFromDriver(0x00, "DBWINUS0"), CodePage::Windows1252);
    EXPECT_EQ(codePageFromDriver(0x00, "DBWINWE0"), CodePage::Windows1252);
    EXPECT_EQ(codePageFromDriver(0x00, "DB437IT0"), CodePage::Dos437);
    EXPECT_EQ(codePageFromDriver(0x00, "DB850IT1"), CodePage::Dos850);
}

RawTable oemTable(std::uint8_t version, std::uint8_t driver) {
    RawTable raw;
    raw.version = version;
    raw.driver = driver;
    raw.fields = {{"NOME", 'C', 6}, {"IMPORTO", 'F', 8, 2}, {"GIORNO", 'D', 8}, {"OK", 'L', 1}};
    raw.records = {" Citt\x85 " + std::string("   -1.50") + "20050301" + "Y",
                   "*cancel" + std::string("    2.00") + "20050302" + "N",
                   " \x9B     " + std::string("        ") + "00000000" + "?"};
    return raw;
}

TEST(OlderTables, DBaseIiiAndIvInOemCodePagesReadAndWriteInTheirOwnCodePage) {
    for (int version : {0x03, 0x83, 0x8B}) {
        TempDir dir;
        writeAll(dir.file("dos.dbf"), oemTable(static_cast<std::uint8_t>(version), 0x1B).bytes());
        Table t;
        t.bind(dir.str(), "dos.dbf");
        t.open();
        ASSERT_EQ(t.recordCount(), 2) << "the deleted record is skipped";
        EXPECT_EQ(t.fieldByName("nome").asString(), "Città");
        EXPECT_EQ(t.fieldByName("IMPORTO").asMoney(), Money::fromUnits(-15000));
        EXPECT_TRUE(t.fieldByName("OK").asBoolean());
        t.next();
        EXPECT_EQ(t.fieldByName("NOME").asString(), "¢");
        EXPECT_EQ(t.fieldByName("GIORNO").asDate(), Date()) << "00000000 is the empty date";
        EXPECT_FALSE(t.fieldByName("OK").asBoolean());
        // Text written back goes in the table's own code page.
        t.appendRecord({std::string("è")});
        EXPECT_THROW(t.appendRecord({std::string("€")}), TableError);
        t.close();
        const std::string file = readAll(dir.file("dos.dbf"));
        EXPECT_NE(file.find(" \x8A     "), std::string::npos) << "è is 0x8A in code page 437";
    }

    TempDir dir;
    writeAll(dir.file("dos.dbf"), oemTable(0x03, 0x37).bytes());
    Table t;
    t.bind(dir.str(), "dos.dbf");
    t.open();
    t.next();
    EXPECT_EQ(t.fieldByName("NOME").asString(), "ø") << "code page 850";
}

TEST(OlderTables, Level7TablesWithBinaryTypesRead) {
    RawTable raw;
    raw.version = 0x04;
    raw.driver = 0;
    raw.driverName = "DB850IT1";
    raw.fields = {{"NUMERO_LUNGO_DI_LIVELLO_SETTE", 'I', 4},
                  {"CONTATORE", '+', 4},
                  {"VALORE", 'O', 8},
                  {"MOMENTO", '@', 8},
                  {"NOME", 'C', 4}};
    raw.records = {" " + bigEndian(0x7FFFFFFB, 4) + bigEndian(0x80000001, 4) + bigEndian(0xC004000000000000ull, 8) +
                       bigEndian(0x42CCC2B95E540000ull, 8) + "\x82t\xE0 ",
                   " " + std::string(24, '\0') + "    "};
    TempDir dir;
    writeAll(dir.file("l7.dbf"), raw.bytes());
    Table t;
    t.bind(dir.str(), "l7.dbf");
    t.open();
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.fieldByName("numero_lungo_di_livello_sette").asInteger(), -5);
    EXPECT_EQ(t.fieldByName("CONTATORE").asInteger(), 1);
    EXPECT_EQ(t.fieldByName("VALORE").asFloat(), 2.5);
    EXPECT_EQ(t.fieldByName("MOMENTO").asDate(), ymd(2005, 3, 1));
    EXPECT_EQ(t.fieldByName("NOME").asString(), "étÓ") << "the driver name says code page 850";

    // Values written back keep the level-7 encodings, negative doubles included.
    t.edit();
    t.fieldByName("VALORE").setFloat(-2.5);
    t.fieldByName("NUMERO_LUNGO_DI_LIVELLO_SETTE").setInteger(123456);
    t.fieldByName("MOMENTO").setDate(ymd(1999, 12, 31));
    t.post();
    t.next();
    EXPECT_TRUE(t.fieldByName("VALORE").isNull());
    EXPECT_EQ(t.fieldByName("CONTATORE").asInteger(), 0);
    t.close();
    t.open();
    EXPECT_EQ(t.fieldByName("VALORE").asFloat(), -2.5);
    EXPECT_EQ(t.fieldByName("NUMERO_LUNGO_DI_LIVELLO_SETTE").asInteger(), 123456);
    EXPECT_EQ(t.fieldByName("MOMENTO").asDate(), ymd(1999, 12, 31));
    const std::string file = readAll(dir.file("l7.dbf"));
    EXPECT_EQ(file[0], '\x04') << "still level 7";
    EXPECT_NE(file.find(bigEndian(~0xC004000000000000ull, 8)), std::string::npos);
}

TEST(OlderTables, ADoubleBeyondTheRangeOfAnAmountIsRefusedInWords) {
    // Level 7 stores doubles with the sign bit flipped when positive; 1e300 and NaN are valid doubles
    // that no amount can hold.
    RawTable raw;
    raw.version = 0x04;
    raw.driver = 0;
    raw.fields = {{"VALORE", 'O', 8}};
    const auto stored = [](double d) {
        const auto bits = std::bit_cast<std::uint64_t>(d);
        return bigEndian(d < 0 ? ~bits : bits | 0x8000000000000000ull, 8);
    };
    raw.records = {" " + stored(1e300), " " + stored(std::numeric_limits<double>::quiet_NaN()),
                   " " + stored(-12.5)};
    TempDir dir;
    writeAll(dir.file("grandi.dbf"), raw.bytes());
    Table t;
    t.bind(dir.str(), "grandi.dbf");
    t.open();
    Field valore = t.fieldByName("VALORE");
    EXPECT_EQ(valore.asFloat(), 1e300);
    try {
        (void)valore.asMoney();
        FAIL() << "1e300 read as an amount";
    } catch (const TableError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Il valore '1e+300' del campo VALORE del file " + dir.file("grandi.dbf") + " non è un importo.");
    }
    EXPECT_THROW((void)valore.asInteger(), TableError);
    t.next();
    EXPECT_THROW((void)valore.asMoney(), TableError) << "not a number";
    t.next();
    EXPECT_EQ(valore.asMoney(), Money::fromDecimalText("-12.5").value());
}

} // namespace
} // namespace valmora::dbase::testing
