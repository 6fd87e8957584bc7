#pragma once

#include <QString>

namespace valmora::gui {

// The folder of the program's own files: the help pages (help/) and the terms of use (Licenza.txt).
// In a build tree they sit beside the program; installed, in share/valmora beside bin/.
// VALMORA_DATA_DIR, when set, names the folder instead (the tests use it).
QString cartellaDati();

QString fileGuida(const QString& pagina); // a help page's path in that folder
QString fileLicenza();                    // the terms of use's path in that folder

// Empty when the folder holds the help contents and the terms of use, else what is missing, in Italian.
QString verificaCartellaDati();

} // namespace valmora::gui
