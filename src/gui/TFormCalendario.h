#pragma once
// The calendar tool window: stays on top, a month calendar filling it; closing it releases the
// toolbar button that opened it.

#include <QDialog>

#include <functional>

class QCalendarWidget;

namespace valmora::gui {

class TFormCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TFormCalendario(QWidget* parent = nullptr);
    void mostra(const QDate& oggi);
    void setAllaChiusura(std::function<void()> f) { allaChiusura_ = std::move(f); }

    QCalendarWidget* MonthCalendar1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::function<void()> allaChiusura_;
};

} // namespace valmora::gui
