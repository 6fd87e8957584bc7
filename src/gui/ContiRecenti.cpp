#include "gui/ContiRecenti.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace valmora::gui {

namespace {

const QString kChiave = QStringLiteral("ContiRecenti");

// The same account written with other separators or a trailing dot-segment is still the same account.
QString normale(const QString& file) {
    return QDir::cleanPath(QDir::fromNativeSeparators(file));
}

} // namespace

ContiRecenti::ContiRecenti(QSettings& store, QMenu* menu, QAction* prima, std::function<void(const QString&)> apri,
                           QObject* parent)
    : QObject(parent), store_(store), menu_(menu), prima_(prima), apri_(std::move(apri)) {
    separatore_ = menu_->insertSeparator(prima_);
    for (const QString& f : store_.value(kChiave).toStringList())
        if (!f.isEmpty() && elenco_.size() < kMassimo && !elenco_.contains(normale(f)))
            elenco_.append(normale(f));
    mostra();
}

void ContiRecenti::aggiungi(const QString& file) {
    const QString f = normale(file);
    elenco_.removeAll(f);
    elenco_.prepend(f);
    while (elenco_.size() > kMassimo)
        elenco_.removeLast();
    store_.setValue(kChiave, elenco_);
    mostra();
}

void ContiRecenti::mostra() {
    for (QAction* a : voci_) {
        menu_->removeAction(a);
        a->deleteLater();
    }
    voci_.clear();
    for (int i = 0; i < elenco_.size(); ++i) {
        const QString file = elenco_[i];
        // "&1 Conto.dbf": the number is the access key; the full path is the hint in the status bar.
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()), menu_);
        const QString percorso = QDir::toNativeSeparators(file);
        a->setStatusTip(percorso);
        a->setToolTip(percorso);
        a->setData(percorso);
        connect(a, &QAction::triggered, this, [this, percorso] { apri_(percorso); });
        menu_->insertAction(separatore_, a);
        voci_.append(a);
    }
    separatore_->setVisible(!voci_.isEmpty());
}

} // namespace valmora::gui
