#pragma once
// The last accounts opened, listed in the "&Conto" menu: each item opens its account as "&Apri" does, the
// file dialog answered with that account's file. The list lives with the window preferences (value
// `ContiRecenti`), the last opened first, at most kMassimo, each account once.

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QSettings;

namespace valmora::gui {

class ContiRecenti : public QObject {
    Q_OBJECT
public:
    static constexpr int kMassimo = 5;

    // The items go into `menu` before `prima`; `apri` opens the account whose movements file is its argument.
    ContiRecenti(QSettings& store, QMenu* menu, QAction* prima, std::function<void(const QString&)> apri,
                 QObject* parent = nullptr);

    // An account brought into view: it goes to the top of the list.
    void aggiungi(const QString& file);
    QStringList elenco() const { return elenco_; }
    const QList<QAction*>& voci() const { return voci_; }

private:
    void mostra();

    QSettings& store_;
    QMenu* menu_;
    QAction* prima_;
    QAction* separatore_;
    std::function<void(const QString&)> apri_;
    QStringList elenco_;
    QList<QAction*> voci_;
};

} // namespace valmora::gui
