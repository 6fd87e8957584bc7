#include "gui/ColonneRegistro.h"

#include "gui/LedgerTableModel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QVariantList>

#include <algorithm>

namespace valmora::gui {

namespace {

const QString kChiave = QStringLiteral("LarghezzeColonne");
// The widest date: every digit as wide as the widest one.
const QString kDataCampione = QStringLiteral("00/00/0000");

} // namespace

int LarghezzaPerTesto(const QAbstractItemView& vista, const QFont& font, const QString& testo) {
    // An item view leaves the focus frame's margin and one pixel on each side of the text.
    const int margine = vista.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &vista) + 1;
    return QFontMetrics(font).horizontalAdvance(testo) + 2 * margine + 2;
}

int LarghezzaData(const QTableView& griglia, int minima) {
    int necessaria = 0;
    for (QChar cifra = u'0'; cifra <= u'9'; cifra = QChar(cifra.unicode() + 1))
        necessaria = std::max(necessaria, LarghezzaPerTesto(griglia, griglia.font(),
                                                            QString(kDataCampione).replace(u'0', cifra)));
    return std::max(minima, necessaria);
}

int LarghezzaFinoAImporto(const QTableView& griglia, int larghezzaTipo) {
    int necessaria = griglia.verticalHeader()->width() + 2 * griglia.frameWidth() +
                     griglia.verticalScrollBar()->sizeHint().width();
    for (int c = 0; c <= LedgerTableModel::IMPORTO; ++c)
        if (!griglia.isColumnHidden(c))
            necessaria += c == LedgerTableModel::TIPO ? larghezzaTipo : griglia.columnWidth(c);
    return necessaria;
}

void RicordaLarghezze(QSettings& store, const QTableView& griglia, int larghezzaTipo) {
    QVariantList larghezze;
    for (int c = 0; c < LedgerTableModel::NumeroColonne; ++c)
        larghezze.append(c == LedgerTableModel::DATA ? 0
                         : c == LedgerTableModel::TIPO ? larghezzaTipo
                                                       : griglia.columnWidth(c));
    store.setValue(kChiave, larghezze);
}

void RipristinaLarghezze(QSettings& store, QTableView& griglia) {
    const QVariantList larghezze = store.value(kChiave).toList();
    if (larghezze.size() == LedgerTableModel::NumeroColonne) {
        for (int c = 0; c < LedgerTableModel::NumeroColonne; ++c) {
            bool ok = false;
            const int w = larghezze[c].toInt(&ok);
            if (c != LedgerTableModel::DATA && ok && w > 0)
                griglia.setColumnWidth(c, w);
        }
    }
    griglia.setColumnWidth(LedgerTableModel::VALUTA,
                           LarghezzaData(griglia, griglia.columnWidth(LedgerTableModel::VALUTA)));
}

} // namespace valmora::gui
