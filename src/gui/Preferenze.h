#pragma once
// The window preferences kept per user: on Windows the values of the key HKEY_CURRENT_USER\Valmora
// itself, elsewhere a per-user settings file (organisation and application "Valmora").
// A missing value takes its default; a value of the wrong type is treated as missing.

#include <QString>

#include <memory>

class QSettings;

namespace valmora::gui {

struct Preferenze {
    QString DirIniziale;          // the account folder last used
    int LarghezzaColonna0 = 0;    // ledger column DATA
    bool Dettagli = true;         // totals grid
    bool GraficoSaldo = true;
    bool GraficoFC = true;
    bool GraficoMovimenti = true;
    int LarghezzaGriglia = 500;   // ledger grid outside full screen; never 0
    bool BarraOpe = true;         // operations toolbar
    bool BarraQue = true;         // filter toolbar
    bool SchermoI = false;        // full screen

    bool operator==(const Preferenze&) const = default;
};

// The store of the current user. `fileForTests` non-empty: an INI file at that path instead.
std::unique_ptr<QSettings> ApriPreferenze(const QString& fileForTests = {});

// Reads in the order the values are listed above; `cartellaAvvio` is the default of DirIniziale.
Preferenze LeggiDaRegistro(QSettings& store, const QString& cartellaAvvio);
// Writes DirIniziale, LarghezzaColonna0, LarghezzaGriglia, the three charts, Dettagli, the two
// toolbars and SchermoI, in that order; booleans as 1 or 0.
void ScriviSuRegistro(QSettings& store, const Preferenze& p);

} // namespace valmora::gui
