#include "gui/TFormCalendario.h"

#include <QCalendarWidget>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace valmora::gui {

TFormCalendario::TFormCalendario(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TFormCalendario"));
    setWindowTitle(QStringLiteral("Calendario"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The title in yellow on the work-space colour.
    MonthCalendar1->setStyleSheet(QStringLiteral("#qt_calendar_navigationbar { background-color: #808080; }"
                                                 "#qt_calendar_navigationbar QToolButton { color: yellow; }"));
    layout->addWidget(MonthCalendar1);
    resize(193 + 60, 155 + 40);
}

void TFormCalendario::mostra(const QDate& oggi) {
    MonthCalendar1->setSelectedDate(oggi);
    MonthCalendar1->setCurrentPage(oggi.year(), oggi.month());
    show();
}

void TFormCalendario::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
}

void TFormCalendario::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (allaChiusura_)
        allaChiusura_();
}

} // namespace valmora::gui
