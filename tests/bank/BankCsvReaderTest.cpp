// The CSV reader on bank exports written here with invented data: where the header is, what its columns are
// called, how the text is encoded, and the message each broken file gives.

#include "bank/BankCsvReader.h"
#include "bank/BankListFile.h"

#include <gtest/gtest.h>

namespace valmora::bank {
namespace {

Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

Money eur(std::int64_t cents) {
    return Money::fromUnits(cents * 100);
}

std::string messageOf(std::string_view bytes, const std::string& name = "lista.csv") {
    try {
        readBankListBytes(bytes, name);
    } catch (const BankListError& e) {
        return e.what();
    }
    return "(nessun errore)";
}

TEST(BankCsvReader, HeaderFoundBelowTheAccountDetailsByNamesWithoutCaseOrAccents) {
    const auto lines = readBankCsv("Conto 1234;;;\n"
                                   "Periodo;01/03/2026;31/03/2026;\n"
                                   "\n"
                                   "DATA REGISTRAZIONE;Data  Valuta;Importo (EUR);Descrizióne;CAUSALE\n"
                                   "02/03/2026;03/03/2026;-1.234,56;Bonifico;  a   favore di\n"
                                   "\n"
                                   "Saldo iniziale;;100,00;;\n"
                                   "04/03/2026;04/03/2026;10;;\n"
                                   "Saldo finale;;-1.124,56;;\n",
                                   "x.csv");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].data, d(2026, 3, 2));
    EXPECT_EQ(lines[0].valuta, d(2026, 3, 3));
    EXPECT_EQ(lines[0].importo, eur(-123456));
    EXPECT_EQ(lines[0].descrizione, "Bonifico a favore di"); // both description columns, blanks tidied
    EXPECT_EQ(lines[0].riga, 5);
    EXPECT_EQ(lines[1].importo, eur(1000));
    EXPECT_EQ(lines[1].descrizione, "");
    EXPECT_EQ(lines[1].riga, 8);
}

TEST(BankCsvReader, MoneyOutAndMoneyInColumnsWithOrWithoutTheirSign) {
    const auto lines = readBankCsv("Data contabile,Data valuta,Dare,Avere,Dettagli\n"
                                   "02/03/2026,02/03/2026,\"50,00\",,Prelievo\n"
                                   "03/03/2026,03/03/2026,\"-7,5\",,Canone\n"
                                   "04/03/2026,05/03/2026,,\"1.500,00\",Stipendio\n",
                                   "x.csv");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].importo, eur(-5000));
    EXPECT_EQ(lines[1].importo, eur(-750));
    EXPECT_EQ(lines[2].importo, eur(150000));
    EXPECT_EQ(lines[2].valuta, d(2026, 3, 5));
}

TEST(BankCsvReader, Windows1252AndUtf8WithItsMarkReadTheSame) {
    const std::string utf8 = "Data;Valuta;Uscite;Entrate;Descrizione\n02/03/26;02/03/26;5,00;;Caff\xC3\xA8 \xE2\x80\x93 bar\n";
    const std::string cp1252 = "Data;Valuta;Uscite;Entrate;Descrizione\n02/03/26;02/03/26;5,00;;Caff\xE8 \x96 bar\n";
    const auto a = readBankCsv(utf8, "a.csv");
    const auto b = readBankCsv("\xEF\xBB\xBF" + utf8, "b.csv");
    const auto c = readBankCsv(cp1252, "c.csv");
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].descrizione, "Caff\xC3\xA8 \xE2\x80\x93 bar");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    // A header whose first name carries the mark is still found.
    EXPECT_EQ(readBankCsv("\xEF\xBB\xBF" "Data;Valuta;Importo\n02/03/2026;02/03/2026;1\n", "d.csv").size(), 1u);
}

TEST(BankCsvReader, EachBrokenFileSaysWhatIsWrong) {
    EXPECT_EQ(messageOf(""), "Il file \"lista.csv\" è vuoto.");
    EXPECT_EQ(messageOf(" \r\n\n"), "Il file \"lista.csv\" è vuoto.");
    EXPECT_EQ(messageOf("\xEF\xBB\xBF\r\n"), "Il file \"lista.csv\" è vuoto.");
    EXPECT_EQ(messageOf(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
              "Il file \"lista.csv\" non è un elenco di movimenti: non è un file di testo.");
    EXPECT_EQ(messageOf("Movimenti\n02/03/2026;1,00\n"),
              "Il file \"lista.csv\" non è un elenco di movimenti: manca la riga di intestazione con le colonne "
              "\"Data\", \"Valuta\" e \"Importo\".");
    EXPECT_EQ(messageOf("Valuta;Importo\n02/03/2026;1,00\n"),
              "Il file \"lista.csv\" non è un elenco di movimenti: manca la colonna della data contabile (\"Data\", "
              "\"Data contabile\", \"Data operazione\" o \"Data registrazione\").");
    EXPECT_EQ(messageOf("Data;Valuta;Descrizione\n02/03/2026;02/03/2026;x\n"),
              "Il file \"lista.csv\" non è un elenco di movimenti: manca la colonna dell'importo (\"Importo\", "
              "oppure \"Dare\" e \"Avere\").");
    EXPECT_EQ(messageOf("Data;Valuta;Dare;Descrizione\n02/03/2026;02/03/2026;1;x\n"),
              "Il file \"lista.csv\" non è un elenco di movimenti: manca la colonna dell'importo (\"Importo\", "
              "oppure \"Dare\" e \"Avere\").");
    EXPECT_EQ(messageOf("Data;Valuta;Importo\n02/03/2026;02/03/2026;1\n03/03/2026;03/03/2026;uno\n"),
              "Il file \"lista.csv\", riga 3: l'importo \"uno\" non è un numero.");
    EXPECT_EQ(messageOf("Data;Valuta;Importo\n02/03/2026;02/03/2026;\n"),
              "Il file \"lista.csv\", riga 2: manca l'importo.");
    EXPECT_EQ(messageOf("Data;Valuta;Dare;Avere\n02/03/2026;02/03/2026;;\n"),
              "Il file \"lista.csv\", riga 2: manca l'importo.");
    EXPECT_EQ(messageOf("Data;Valuta;Importo\n31/04/2026;02/03/2026;1\n"),
              "Il file \"lista.csv\", riga 2: la data \"31/04/2026\" non è una data valida.");
    EXPECT_EQ(messageOf("Data;Valuta;Importo\n02/03/2026;;1\n"), "Il file \"lista.csv\", riga 2: manca la data valuta.");
    EXPECT_EQ(messageOf("Data;Valuta;Importo;Descrizione\n02/03/2026;02/03/2026;1;\"aperte\n"),
              "Il file \"lista.csv\", riga 2: le virgolette aperte non sono chiuse.");
}

TEST(BankCsvReader, AHeaderWithoutMovementsIsAnEmptyList) {
    EXPECT_TRUE(readBankCsv("Data;Valuta;Importo;Descrizione\n\nSaldo finale;;0,00;\n", "x.csv").empty());
}

} // namespace
} // namespace valmora::bank
