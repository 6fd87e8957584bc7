#pragma once
// What the ledger shows beside the movements: the totals grid, the two line charts and the
// pie, and the status-bar notices. The engine fills these and hands them to the screen through
// the UserInterface seam, so the desktop windows and valmora-cli show the same figures.

#include <array>
#include <cstdint>
#include <string>

namespace valmora {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The three charts of the right-hand panel.
enum class LedgerChart {
    Saldo,      // Chart1: balance in thousands against the operations counted
    FuoriConto, // ChartFC: off-account net in thousands against the off-account movements
    Movimenti,  // ChartMovimenti: the pie of movement counts per group
};

// One point of a line chart. The label is a month name where the month changes, else empty.
struct ChartPoint {
    double x = 0;
    double y = 0;
    std::string label;
    Rgb colour;
};

// One slice of the pie: a count, not an amount.
struct PieSlice {
    std::string label;
    std::int32_t value = 0;
    Rgb colour;
};

// The totals grid GrigliaValori: 37 rows of three cells (caption, amount, count).
struct TotalsGrid {
    static constexpr int kRows = 37;
    static constexpr int kColumns = 3;
    static constexpr int kVisibleRowHeight = 14;

    struct Row {
        std::array<std::string, kColumns> cells;
        // Pixels; 0 collapses a row, -1 hides the row and its grid line (the filter bar does both).
        int height = kVisibleRowHeight;
        bool hidden() const { return height <= 0; }
    };

    std::array<Row, kRows> rows;
    std::array<int, kColumns> columnWidths = {85, 85, 30};
    bool horizontalScrollBarOnly = false; // the filter bar keeps only the horizontal bar while it hides rows

    const std::string& cell(int column, int row) const {
        return rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
    }
    std::string& cell(int column, int row) {
        return rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
    }
};

// The two state panels of the status bar and the save button.
struct StatusNotices {
    std::string modifiche;       // panel 1: "Modifiche da Salvare!" or empty
    std::string filtro;          // panel 2: "Filtro Attivo!" or empty
    bool salvaAbilitato = false; // the toolbar button TSalva
    bool operator==(const StatusNotices&) const = default;
};

} // namespace valmora
