#pragma once
// The layout of the four account tables: fields in file order with their widths, the index
// each table is kept in, and how the grids label the columns.

#include "dbase/Table.h"

#include <string>
#include <vector>

namespace valmora::schema {

// Movements (MainTable).
inline constexpr const char* kData = "DATA";
inline constexpr const char* kValuta = "VALUTA";
inline constexpr const char* kOperazione = "OPERAZIONE";
inline constexpr const char* kTipo = "TIPO";
inline constexpr const char* kImporto = "IMPORTO";
inline constexpr const char* kCommento = "COMMENTO";
inline constexpr const char* kIndiceValuta = "Valuta";

// Rates (TableTassi).
inline constexpr const char* kLimite = "LIMITE";
inline constexpr const char* kTassoCre = "TASSOCRE";
inline constexpr const char* kTassoDeb = "TASSODEB";
inline constexpr const char* kTassoH = "TASSOH";
inline constexpr const char* kRitenuta = "RITENUTA";
inline constexpr const char* kIndiceData = "Data";

// Programmed operations (TableAcc); the file spells them this way, every reader ignores case.
inline constexpr const char* kDescrizion = "Descrizion";
inline constexpr const char* kAccImporto = "Importo";
inline constexpr const char* kAccOperazione = "Operazione";
inline constexpr const char* kAccTipo = "Tipo";
inline constexpr const char* kFrequenza = "Frequenza";
inline constexpr const char* kInizio = "Inizio";
inline constexpr const char* kGiorno = "Giorno";
inline constexpr const char* kIndiceOperazione = "Operazione";

// Settings (TableImp).
inline constexpr const char* kIstituto = "ISTITUTO";
inline constexpr const char* kCoordinate = "COORDINATE";
inline constexpr const char* kNumConto = "NUM_CONTO";
inline constexpr const char* kCapitaCre = "CAPITA_CRE";
inline constexpr const char* kCapitaDeb = "CAPITA_DEB";
inline constexpr const char* kNumOpe = "NUM_OPE";
inline constexpr const char* kCostoOpe = "COSTO_OPE";
inline constexpr const char* kVIstituto = "VISTITUTO";
inline constexpr const char* kVCircolare = "VCIRCOLARE";
inline constexpr const char* kVPostale = "VPOSTALE";
inline constexpr const char* kVAltroIst = "VALTRO_IST";
inline constexpr const char* kBStesso = "BSTESSO";
inline constexpr const char* kBAltro = "BALTRO";
inline constexpr const char* kBPos = "BPOS";
inline constexpr const char* kBMensile = "BMENSILE";
inline constexpr const char* kMaxScope = "MaxScope";
inline constexpr const char* kCommScope = "CommScope";
inline constexpr const char* kMaxCCred = "MaxCCred";
inline constexpr const char* kCommCCred = "CommCCred";
inline constexpr const char* kPassword = "PASSWORD";
inline constexpr const char* kNewAnno = "NEW_ANNO";
inline constexpr const char* kOldData = "OLDDATA";
inline constexpr const char* kNumRec = "NUM_REC";
inline constexpr const char* kScoperto = "SCOPERTO";
inline constexpr const char* kIndiceIst = "Ist";

// Fields in file order.
std::vector<dbase::FieldDef> movimentiFields();
// The rates file holds DATA, LIMITE, TASSOCRE, TASSODEB, TASSOH, RITENUTA in this order ...
std::vector<dbase::FieldDef> tassiFields();
// ... while the program hands a new row's values over as DATA, LIMITE, TASSOCRE, TASSOH, TASSODEB, RITENUTA.
std::vector<std::string> tassiDeclaredOrder();
std::vector<dbase::FieldDef> accreditiFields();
std::vector<dbase::FieldDef> impostazioniFields();

dbase::IndexDef movimentiIndex();    // "Valuta" on VALUTA
dbase::IndexDef tassiIndex();        // "Data" on DATA
dbase::IndexDef accreditiIndex();    // "Operazione" on Operazione
dbase::IndexDef impostazioniIndex(); // "Ist" on ISTITUTO

// How a grid shows a column.
struct DisplayColumn {
    std::string field;
    std::string label;
    int width = 0;             // in characters
    std::string displayFormat; // "0.00%" for rates; empty otherwise
    bool currency = false;     // shown as a currency amount
};

std::vector<DisplayColumn> movimentiColumns();
std::vector<DisplayColumn> tassiColumns();
std::vector<DisplayColumn> accreditiColumns();

// The field of `fields` whose name equals `name` ignoring case; the name itself when none does.
std::string declaredFieldName(const std::vector<dbase::FieldDef>& fields, const std::string& name);

} // namespace valmora::schema
