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

Preferenze LeggiDaRegistro(QSettings& store, const QString& cartellaAvvio) {
    Preferenze p;
    const QVariant dir = store.value(QStringLiteral("DirIniziale"));
    p.DirIniziale = dir.isValid() && dir.canConvert<QString>() ? dir.toString() : cartellaAvvio;
    p.LarghezzaColonna0 = readInt(store, QStringLiteral("LarghezzaColonna0"), 0);
    p.Dettagli = readBool(store, QStringLiteral("Dettagli"), true);
    p.GraficoSaldo = readBool(store, QStringLiteral("GraficoSaldo"), true);
    p.GraficoFC = readBool(store, QStringLiteral("GraficoFC"), true);
    p.GraficoMovimenti = readBool(store, QStringLiteral("GraficoMovimenti"), true);
    p.LarghezzaGriglia = readInt(store, QStringLiteral("LarghezzaGriglia"), 500);
    if (p.LarghezzaGriglia == 0)
        p.LarghezzaGriglia = 1;
    p.BarraOpe = readBool(store, QStringLiteral("BarraOpe"), true);
    p.BarraQue = readBool(store, QStringLiteral("BarraQue"), true);
    p.SchermoI = readBool(store, QStringLiteral("SchermoI"), false);
    return p;
}

void ScriviSuRegistro(QSettings& store, const Preferenze& p) {
    store.setValue(QStringLiteral("DirIniziale"), p.DirIniziale);
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
