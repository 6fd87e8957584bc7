#pragma once
// The ledger grid's columns as the user finds them: the date columns wide enough for "dd/mm/yyyy" in the font
// in use, and every column as wide as the user last made it, from one run to the next (value
// `LarghezzeColonne` beside the window preferences; DATA keeps its own `LarghezzaColonna0`).

#include <QString>

class QAbstractItemView;
class QFont;
class QSettings;
class QTableView;

namespace valmora::gui {

// The width a cell needs to show `testo` whole in `font`: the text and the cell's margins on both sides.
int LarghezzaPerTesto(const QAbstractItemView& vista, const QFont& font, const QString& testo);

// The width of a date column: at least `minima`, and enough for a date in the grid's font.
int LarghezzaData(const QTableView& griglia, int minima);

// The width the ledger needs to show every column up to IMPORTO whole with TIPO `larghezzaTipo` wide: the
// columns, the row header, the frame and a vertical scroll bar.
int LarghezzaFinoAImporto(const QTableView& griglia, int larghezzaTipo);

// The widths of every column but DATA as they are now, TIPO's as the user or the program last gave it (a
// narrow window may be holding it narrower for the amounts); written when the window closes.
void RicordaLarghezze(QSettings& store, const QTableView& griglia, int larghezzaTipo);
// The widths last remembered, if any, over the defaults just set (a date column never narrower than its dates).
void RipristinaLarghezze(QSettings& store, QTableView& griglia);

} // namespace valmora::gui
