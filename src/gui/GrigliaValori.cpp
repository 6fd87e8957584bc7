#include "gui/GrigliaValori.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace valmora::gui {

namespace {

bool rigaDiGruppo(int row) {
    switch (row) {
    case 1:
    case 2:
    case 7:
    case 12:
    case 18:
    case 24:
    case 31:
    case 34:
        return true;
    default:
        return false;
    }
}

} // namespace

const QColor GrigliaValori::kLuce3D = QColor(227, 227, 227);

ColoriCella ColoriGrigliaValori(int column, int row, bool selected, bool fixed, const QColor& windowColour,
                                const QColor& light3d) {
    ColoriCella c;
    c.sfondo = selected ? windowColour : fixed ? QColor(192, 192, 192) : light3d;
    if (row == 0) {
        c.testo = QColor(255, 255, 0);
        c.sfondo = QColor(143, 143, 143);
    } else {
        c.testo = column == 2 ? QColor(105, 80, 95) : QColor(0, 0, 0);
    }
    if (rigaDiGruppo(row)) {
        c.grassetto = true;
        c.sfondo = QColor(160, 160, 164);
    } else if (row >= 3 && row <= 6) {
        c.sfondo = QColor(200, 200, 200);
    }
    return c;
}

void GrigliaValoriDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const int row = index.row();
    const int column = index.column();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const ColoriCella colori =
        ColoriGrigliaValori(column, row, selected, row == 0, QColor(255, 255, 255), GrigliaValori::kLuce3D);
    painter->save();
    painter->fillRect(option.rect, colori.sfondo);
    QFont font = option.font;
    font.setBold(colori.grassetto);
    painter->setFont(font);
    painter->setPen(colori.testo);
    painter->setClipRect(option.rect);
    const QString text = index.data(Qt::DisplayRole).toString();
    const int align = (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop;
    painter->drawText(option.rect, align, text);
    // Only horizontal lines between rows.
    painter->setPen(QColor(160, 160, 160));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

GrigliaValori::GrigliaValori(QWidget* parent) : QTableWidget(TotalsGrid::kRows, TotalsGrid::kColumns, parent) {
    setObjectName(QStringLiteral("GrigliaValori"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new GrigliaValoriDelegate(this));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    setFixedWidth(200);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setToolTip(QStringLiteral("Dettagli Operazioni"));
    setStatusTip(QStringLiteral("Importo complessivo e relativo numero di operazioni"));
    QPalette p = palette();
    p.setColor(QPalette::Base, kLuce3D);
    setPalette(p);
    for (int r = 0; r < TotalsGrid::kRows; ++r)
        for (int c = 0; c < TotalsGrid::kColumns; ++c)
            setItem(r, c, new QTableWidgetItem);
    dimensioni();
}

void GrigliaValori::dimensioni() {
    const TotalsGrid defaults;
    for (int c = 0; c < TotalsGrid::kColumns; ++c)
        setColumnWidth(c, defaults.columnWidths[static_cast<std::size_t>(c)]);
    setRowHeight(0, 15);
    for (int r = 1; r < TotalsGrid::kRows; ++r)
        setRowHeight(r, TotalsGrid::kVisibleRowHeight);
    adattaColonne();
}

void GrigliaValori::mostra(const TotalsGrid& grid) {
    setUpdatesEnabled(false);
    for (int c = 0; c < TotalsGrid::kColumns; ++c)
        setColumnWidth(c, grid.columnWidths[static_cast<std::size_t>(c)]);
    for (int r = 0; r < TotalsGrid::kRows; ++r) {
        const TotalsGrid::Row& row = grid.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < TotalsGrid::kColumns; ++c)
            item(r, c)->setText(QString::fromStdString(row.cells[static_cast<std::size_t>(c)]));
        if (r == 0)
            continue; // the header row keeps its height
        setRowHidden(r, row.hidden());
        if (!row.hidden())
            setRowHeight(r, row.height);
    }
    setVerticalScrollBarPolicy(grid.horizontalScrollBarOnly ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    adattaColonne();
    setUpdatesEnabled(true);
}

void GrigliaValori::adattaColonne() {
    // Measured in bold, the weight of the group rows: every caption, amount and count then fits its column.
    QFont grassetto = font();
    grassetto.setBold(true);
    const QFontMetrics fm(grassetto);
    const QString campioni[TotalsGrid::kColumns] = {QString(), QStringLiteral("-000.000,00 €"), QStringLiteral("0000")};
    int totale = 0;
    for (int c = 0; c < TotalsGrid::kColumns; ++c) {
        int necessaria = fm.horizontalAdvance(campioni[c]);
        for (int r = 0; r < TotalsGrid::kRows; ++r)
            necessaria = std::max(necessaria, fm.horizontalAdvance(item(r, c)->text()));
        setColumnWidth(c, std::max(columnWidth(c), necessaria + 4));
        totale += columnWidth(c);
    }
    // Room for the scroll bar a short window brings, so it never covers the counts.
    setFixedWidth(totale + verticalScrollBar()->sizeHint().width());
}

QString GrigliaValori::testo(int column, int row) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

} // namespace valmora::gui
