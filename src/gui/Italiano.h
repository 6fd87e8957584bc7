#pragma once
// Italian everywhere: Qt's own texts (file and print dialogs, message-box buttons, the context menus of the
// edit boxes) come from Qt's Italian translations, found at run time in Qt's translations folder; every
// widget made afterwards formats and names months and days in Italian.

#include <QString>

namespace valmora::gui {

// Sets the Italian locale as every widget's default and installs Qt's Italian translations once for the
// application. Returns false when the translations are not installed (Qt's texts then stay in English).
bool ImpostaItaliano();

// Where Qt's translations are looked for: QLibraryInfo's translations path.
QString CartellaTraduzioniQt();

} // namespace valmora::gui
