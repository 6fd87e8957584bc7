#pragma once
// What the print tests share: dates and amounts as they write them, the print dialog, and the two tables the monthly
// summary reads (the movements by value date and the settings row of "Banca Prova"), made in a fresh folder as a new
// account makes them.

#include "dbase/Table.h"
#include "dbase/TempDir.h"
#include "model/ScriptedUserInterface.h"
#include "model/TableSchemas.h"
#include "print/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace valmora::test {

inline Date giorno(int d, int m, int y) {
    return *Date::fromYmd(y, m, d);
}
inline Money euro(const char* text) {
    return *Money::parseTyped(text);
}

// The print dialog: OK with a recording canvas, or Cancel when there is none.
class PrintDialog : public ScriptedUserInterface {
public:
    std::shared_ptr<ReportCanvas> askPrintCanvas() override {
        ++asked;
        return canvas;
    }
    std::shared_ptr<RecordingCanvas> canvas;
    int asked = 0;
};

class ReportTables : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "Impostazioni");

        movimenti_.bind(dir.str(), "conto.dbf");
        movimenti_.create(schema::movimentiFields(), schema::movimentiIndex());
        movimenti_.open();
        movimenti_.setIndexName(schema::kIndiceValuta);

        impostazioni_.bind(dir.file("Impostazioni"), "conto.dbf");
        impostazioni_.create(schema::impostazioniFields(), schema::impostazioniIndex());
        impostazioni_.open();
        impostazioni_.append();
        impostazioni_.fieldByName(schema::kIstituto).setString("Banca Prova");
        impostazioni_.post();
    }

    void TearDown() override {
        movimenti_.close();
        impostazioni_.close();
    }

    void movimento(Date valuta, const char* operazione, const char* tipo, const char* importo, const char* commento) {
        movimento(valuta, valuta, operazione, tipo, importo, commento);
    }
    void movimento(Date data, Date valuta, const char* operazione, const char* tipo, const char* importo,
                   const char* commento) {
        movimenti_.appendRecord(
            {data, valuta, std::string(operazione), std::string(tipo), euro(importo), std::string(commento)});
    }

    valmora::testing::TempDir dir;
    dbase::Table movimenti_;
    dbase::Table impostazioni_;
};

} // namespace valmora::test
