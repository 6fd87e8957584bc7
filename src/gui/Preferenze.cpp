#include "gui/Preferenze.h"

#include <QSettings>

namespace valmora::gui {

namespace {

int readInt(QSettings& store, const QString& key, int fallback) {
    const QVariant v = store.value(key);
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : fallback;
}

// Stored as a 32-bit integer; any non-zero value reads as true.
bool readBool(QSettings& store, const QString& key, bool fallback) {
    const QVariant v = store.value(key);
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : fallback;
}

} // namespace

std::unique_ptr<QSettings> ApriPreferenze(const QString& fileForTests) {
    if (!fileForTests.isEmpty())
        return std::make_unique<QSettings>(fileForTests, QSettings::IniFormat);
#ifdef Q_OS_WIN
    // The key sits right under the user's root, not under Software.
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Valmora"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Valmora"),
                                       QStringLiteral("Valmora"));
#endif
}

PreferenzeFinestra LeggiPreferenze(QSettings& store, const std::string& cartellaAvvio) {
    PreferenzeFinestra p = PreferenzeFinestra::Predefinite(cartellaAvvio);
    const QVariant dir = store.value(QStringLiteral("DirIniziale"));
    if (dir.isValid() && dir.canConvert<QString>())
        p.DirIniziale = dir.toString().toStdString();
    p.LarghezzaColonna0 = readInt(store, QStringLiteral("LarghezzaColonna0"), p.LarghezzaColonna0);
    p.Dettagli = readBool(store, QStringLiteral("Dettagli"), p.Dettagli);
    p.GraficoSaldo = readBool(store, QStringLiteral("GraficoSaldo"), p.GraficoSaldo);
    p.GraficoFC = readBool(store, QStringLiteral("GraficoFC"), p.GraficoFC);
    p.GraficoMovimenti = readBool(store, QStringLiteral("GraficoMovimenti"), p.GraficoMovimenti);
    p.LarghezzaGriglia = readInt(store, QStringLiteral("LarghezzaGriglia"), p.LarghezzaGriglia);
    p.BarraOpe = readBool(store, QStringLiteral("BarraOpe"), p.BarraOpe);
    p.BarraQue = readBool(store, QStringLiteral("BarraQue"), p.BarraQue);
    p.SchermoI = readBool(store, QStringLiteral("SchermoI"), p.SchermoI);
    return p;
}

void ScriviPreferenze(QSettings& store, const PreferenzeFinestra& p) {
    store.setValue(QStringLiteral("DirIniziale"), QString::fromStdString(p.DirIniziale));
    store.setValue(QStringLiteral("LarghezzaColonna0"), p.LarghezzaColonna0);
    store.setValue(QStringLiteral("LarghezzaGriglia"), p.LarghezzaGriglia);
    store.setValue(QStringLiteral("GraficoSaldo"), p.GraficoSaldo ? 1 : 0);
    store.setValue(QStringLiteral("GraficoFC"), p.GraficoFC ? 1 : 0);
    store.setValue(QStringLiteral("GraficoMovimenti"), p.GraficoMovimenti ? 1 : 0);
    store.setValue(QStringLiteral("Dettagli"), p.Dettagli ? 1 : 0);
    store.setValue(QStringLiteral("BarraOpe"), p.BarraOpe ? 1 : 0);
    store.setValue(QStringLiteral("BarraQue"), p.BarraQue ? 1 : 0);
    store.setValue(QStringLiteral("SchermoI"), p.SchermoI ? 1 : 0);
    store.sync();
}

} // namespace valmora::gui
