#pragma once
// The fixed vocabulary of the account: month names, operations and the types of each
// operation, in one table whose order is binding (lists are filled from index ranges of it,
// and month m is entry m - 1). Texts are compared exactly and case-sensitively everywhere.

#include <array>
#include <cstddef>
#include <string_view>

#include "model/StringList.h"

namespace valmora {

inline constexpr std::array<std::string_view, 49> OperationCatalogue = {
    // 0-11: months
    "Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto", "Settembre", "Ottobre",
    "Novembre", "Dicembre",
    // 12-18: operations
    "Prelievo", "Accredito", "Addebito", "Imposta", "Interessi", "FuoriConto", "Notifica",
    // 19-25: types of "Accredito"
    "Contante", "Bonifico", "Stipendio", "Assegno Stesso I.", "Assegno Circolare", "Assegno Altro I.",
    "Assegno C/C Post.",
    // 26-31: types of "Prelievo"
    "S. Bancomat", "A. Bancomat", "Sportello", "Assegno", "P.O.S.", "Carta di Credito",
    // 32-36: types of "Addebito"
    "Acqua", "Gas", "Luce", "Telefono", "Generico",
    // 37-42: types of "Imposta"
    "Bolli", "Operazioni", "P.O.S.", "Bancomat", "Carta di Credito", "Generica",
    // 43-44: types of "Interessi"
    "Creditore", "Debitore",
    // 45-46: types of "FuoriConto"
    "Entrate", "Uscite",
    // 47-48: types of "Notifica"
    "Variazione", "Saldo Anno P."};

// The operation names, for code that recognises movements by their OPERAZIONE.
namespace operazione {
inline constexpr std::string_view Prelievo = OperationCatalogue[12];
inline constexpr std::string_view Accredito = OperationCatalogue[13];
inline constexpr std::string_view Addebito = OperationCatalogue[14];
inline constexpr std::string_view Imposta = OperationCatalogue[15];
inline constexpr std::string_view Interessi = OperationCatalogue[16];
inline constexpr std::string_view FuoriConto = OperationCatalogue[17];
inline constexpr std::string_view Notifica = OperationCatalogue[18];
} // namespace operazione

// The type names (TIPO). A type only means something together with its operation:
// "P.O.S." and "Carta di Credito" are both withdrawal types and tax types.
namespace tipo {
// "Accredito"
inline constexpr std::string_view Contante = OperationCatalogue[19];
inline constexpr std::string_view Bonifico = OperationCatalogue[20];
inline constexpr std::string_view Stipendio = OperationCatalogue[21];
inline constexpr std::string_view AssegnoStessoIstituto = OperationCatalogue[22];
inline constexpr std::string_view AssegnoCircolare = OperationCatalogue[23];
inline constexpr std::string_view AssegnoAltroIstituto = OperationCatalogue[24];
inline constexpr std::string_view AssegnoPostale = OperationCatalogue[25];
// "Prelievo"
inline constexpr std::string_view BancomatStessoIstituto = OperationCatalogue[26]; // "S. Bancomat"
inline constexpr std::string_view BancomatAltroIstituto = OperationCatalogue[27];  // "A. Bancomat"
inline constexpr std::string_view Sportello = OperationCatalogue[28];
inline constexpr std::string_view Assegno = OperationCatalogue[29];
inline constexpr std::string_view POS = OperationCatalogue[30];            // also a type of "Imposta"
inline constexpr std::string_view CartaDiCredito = OperationCatalogue[31]; // also a type of "Imposta"
// "Addebito"
inline constexpr std::string_view Acqua = OperationCatalogue[32];
inline constexpr std::string_view Gas = OperationCatalogue[33];
inline constexpr std::string_view Luce = OperationCatalogue[34];
inline constexpr std::string_view Telefono = OperationCatalogue[35];
inline constexpr std::string_view Generico = OperationCatalogue[36];
// "Imposta"
inline constexpr std::string_view Bolli = OperationCatalogue[37];
inline constexpr std::string_view Operazioni = OperationCatalogue[38];
inline constexpr std::string_view Bancomat = OperationCatalogue[40]; // the charge on a cash-machine withdrawal
inline constexpr std::string_view Generica = OperationCatalogue[42];
// "Interessi"
inline constexpr std::string_view Creditore = OperationCatalogue[43];
inline constexpr std::string_view Debitore = OperationCatalogue[44];
// "FuoriConto"
inline constexpr std::string_view Entrate = OperationCatalogue[45];
inline constexpr std::string_view Uscite = OperationCatalogue[46];
// "Notifica"
inline constexpr std::string_view Variazione = OperationCatalogue[47];
inline constexpr std::string_view SaldoAnnoPrecedente = OperationCatalogue[48]; // "Saldo Anno P."
} // namespace tipo

// The name of month 1..12 ("Gennaio".."Dicembre"); empty for any other number.
std::string_view NomeMese(int month);

// Appends `count` consecutive catalogue entries starting at `first`, with the list's own append
// (a sorted list places each one). Indexes outside the catalogue are not appended.
void AggiungiVoci(StringList& list, std::size_t first, std::size_t count);

// Empties `list` and fills it with the slice named by `selector`: an operation name gives its types,
// "Operazioni" the seven operations, "Mesi" the twelve months; any other text leaves the list empty.
void FillCombo(StringList& list, std::string_view selector);

} // namespace valmora
