// The camt.053 reader through expat: the four values of every entry wherever the statement's namespace puts them,
// and the message of each document that is not a statement.

#include "bank/BankListFile.h"
#include "bank/Camt053Reader.h"

#include <gtest/gtest.h>

namespace valmora::bank {
namespace {

Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

std::string statement(const std::string& entries, const std::string& prefix = "") {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    const std::string ns = prefix.empty() ? "xmlns" : "xmlns:" + prefix;
    return "<?xml version=\"1.0\"?>\n<" + p + "Document " + ns + "=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.08\">\n<" +
           p + "BkToCstmrStmt><" + p + "Stmt>\n" + entries + "</" + p + "Stmt></" + p + "BkToCstmrStmt></" + p +
           "Document>\n";
}

std::string entry(const std::string& amount, const std::string& direction, const std::string& booked,
                  const std::string& valued, const std::string& extra = "", const std::string& p = "") {
    return "<" + p + "Ntry><" + p + "Amt Ccy=\"EUR\">" + amount + "</" + p + "Amt><" + p + "CdtDbtInd>" + direction +
           "</" + p + "CdtDbtInd><" + p + "BookgDt>" + booked + "</" + p + "BookgDt><" + p + "ValDt>" + valued + "</" +
           p + "ValDt>" + extra + "</" + p + "Ntry>\n";
}

std::string messageOf(const std::string& xml) {
    try {
        readBankListBytes(xml, "estratto.xml");
    } catch (const BankListError& e) {
        return e.what();
    }
    return "(nessun errore)";
}

TEST(Camt053Reader, CreditsDebitsDatesAndDescriptions) {
    const auto lines = readCamt053(
        statement(entry("1500.00", "CRDT", "<Dt>2026-03-02</Dt>", "<Dt>2026-03-04</Dt>",
                        "<AddtlNtryInf>Stipendio</AddtlNtryInf><NtryDtls><TxDtls><RmtInf><Ustrd>non questo</Ustrd>"
                        "</RmtInf></TxDtls></NtryDtls>") +
                  entry("2.5", "DBIT", "<DtTm>2026-03-05T23:59:00+01:00</DtTm>", "<DtTm>2026-03-05T00:00:00</DtTm>",
                        "<NtryDtls><TxDtls><RmtInf><Ustrd>Commissione</Ustrd><Ustrd>  bonifico\n SEPA </Ustrd>"
                        "</RmtInf></TxDtls></NtryDtls>") +
                  entry("0.01", "DBIT", "<Dt>2026-03-06</Dt>", "<Dt>2026-03-06</Dt>")),
        "e.xml");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].importo, Money::fromWhole(1500));
    EXPECT_EQ(lines[0].data, d(2026, 3, 2));
    EXPECT_EQ(lines[0].valuta, d(2026, 3, 4));
    EXPECT_EQ(lines[0].descrizione, "Stipendio"); // AddtlNtryInf before the remittance texts
    EXPECT_EQ(lines[1].importo, -Money::fromUnits(25000));
    EXPECT_EQ(lines[1].data, d(2026, 3, 5));
    EXPECT_EQ(lines[1].descrizione, "Commissione bonifico SEPA");
    EXPECT_EQ(lines[2].importo, -Money::fromUnits(100));
    EXPECT_EQ(lines[2].descrizione, "");
    EXPECT_EQ(lines[2].riga, 7); // the XML line its Ntry opens on, the line break inside a text counted
}

TEST(Camt053Reader, APrefixedNamespaceReadsTheSame) {
    const std::string plain = statement(entry("10.00", "CRDT", "<Dt>2026-03-02</Dt>", "<Dt>2026-03-02</Dt>"));
    const std::string prefixed =
        statement(entry("10.00", "CRDT", "<camt:Dt>2026-03-02</camt:Dt>", "<camt:Dt>2026-03-02</camt:Dt>", "", "camt:"),
                  "camt");
    EXPECT_EQ(readCamt053(plain, "a.xml"), readCamt053(prefixed, "b.xml"));
    EXPECT_EQ(readCamt053(prefixed, "b.xml").size(), 1u);
}

TEST(Camt053Reader, EachBrokenDocumentSaysWhatIsWrong) {
    const std::string whole = statement(entry("10.00", "CRDT", "<Dt>2026-03-02</Dt>", "<Dt>2026-03-02</Dt>"));
    EXPECT_EQ(messageOf(whole.substr(0, whole.size() - 40)),
              "Il file \"estratto.xml\" non è un estratto conto camt.053 leggibile: il documento XML si interrompe "
              "prima della fine (riga 4).");
    EXPECT_EQ(messageOf("<Document><BkToCstmrStmt></Stmt></Document>"),
              "Il file \"estratto.xml\" non è un estratto conto camt.053 leggibile: il documento XML non è valido alla "
              "riga 1.");
    EXPECT_EQ(messageOf("<?xml version=\"1.0\"?><html><body>Ntry</body></html>"),
              "Il file \"estratto.xml\" non è un estratto conto camt.053 leggibile: manca l'estratto conto camt.053 "
              "(BkToCstmrStmt).");
    EXPECT_EQ(messageOf(statement("<Ntry><CdtDbtInd>CRDT</CdtDbtInd></Ntry>")),
              "Il file \"estratto.xml\", riga 4: manca l'importo (Amt).");
    EXPECT_EQ(messageOf(statement(entry("1O.00", "CRDT", "<Dt>2026-03-02</Dt>", "<Dt>2026-03-02</Dt>"))),
              "Il file \"estratto.xml\", riga 4: l'importo \"1O.00\" non è un numero.");
    EXPECT_EQ(messageOf(statement(entry("10.00", "", "<Dt>2026-03-02</Dt>", "<Dt>2026-03-02</Dt>"))),
              "Il file \"estratto.xml\", riga 4: manca il segno dell'importo (CdtDbtInd CRDT o DBIT).");
    EXPECT_EQ(messageOf(statement(entry("10.00", "DBIT", "", "<Dt>2026-03-02</Dt>"))),
              "Il file \"estratto.xml\", riga 4: manca la data contabile (BookgDt).");
    EXPECT_EQ(messageOf(statement(entry("10.00", "DBIT", "<Dt>2026-03-02</Dt>", "<Dt>2026-02-30</Dt>"))),
              "Il file \"estratto.xml\", riga 4: \"2026-02-30\" non è una data valida (la data valuta (ValDt)).");
}

} // namespace
} // namespace valmora::bank
