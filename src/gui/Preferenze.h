#pragma once
// Where the window preferences are kept per user: on Windows the values of the key
// HKEY_CURRENT_USER\Valmora itself, elsewhere a per-user settings file (organisation and application
// "Valmora"). A missing value takes its default; a value of the wrong type is treated as missing.

#include "mainwindow/Preferences.h"

#include <QString>

#include <memory>

class QSettings;

namespace valmora::gui {

// The store of the current user. `fileForTests` non-empty: an INI file at that path instead.
std::unique_ptr<QSettings> ApriPreferenze(const QString& fileForTests = {});

// Reads the ten values in their order; `cartellaAvvio` is the default of DirIniziale. A stored grid
// width of 0 is left for the window's model to normalise.
PreferenzeFinestra LeggiPreferenze(QSettings& store, const std::string& cartellaAvvio);
// Writes DirIniziale, LarghezzaColonna0, LarghezzaGriglia, the three charts, Dettagli, the two
// toolbars and SchermoI, in that order; booleans as 1 or 0.
void ScriviPreferenze(QSettings& store, const PreferenzeFinestra& p);

} // namespace valmora::gui
