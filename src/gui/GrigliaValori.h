#pragma once
// The totals grid: 37 rows of caption, amount and count, every cell drawn by GrigliaValoriDrawCell.

#include "model/LedgerView.h"

#include <QStyledItemDelegate>
#include <QTableWidget>

namespace valmora::gui {

// The colours of one cell of the totals grid, as GrigliaValoriDrawCell chooses them.
struct ColoriCella {
    QColor sfondo;
    QColor testo;
    bool grassetto = false;
};
ColoriCella ColoriGrigliaValori(int column, int row, bool selected, bool fixed, const QColor& windowColour,
                                const QColor& light3d);

class GrigliaValoriDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class GrigliaValori : public QTableWidget {
    Q_OBJECT
public:
    explicit GrigliaValori(QWidget* parent = nullptr);

    // Widths and heights before the engine first lays the grid out.
    void dimensioni();
    // Texts, widths, row heights and scroll bars as the engine's grid has them.
    void mostra(const TotalsGrid& grid);
    QString testo(int column, int row) const;
    // Each column at least as wide as its widest text, the grid as wide as its columns.
    void adattaColonne();

    static const QColor kLuce3D; // the system's 3-D light colour, the grid's background
};

} // namespace valmora::gui
