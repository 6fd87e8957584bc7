#pragma once
// What the settings, rate and password dialogs share: the fonts they are drawn with, the texts of
// their conversion refusals, and the conversions between the engine's UTF-8 strings and Qt's.

#include <QFont>
#include <QString>

#include <string>
#include <string_view>

class QLabel;
class QWidget;

namespace valmora::gui {

inline QString qtesto(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string utf8(const QString& s) {
    return s.toStdString();
}

// A font of the given family and pixel size (the dialogs are laid out in pixels).
QFont carattere(const QString& famiglia, int pixel, bool grassetto = false);

// The refusal of a text that is not a number with decimal comma, and of one that is not a date.
std::string MsgNumeroNonValidoDialogo(std::string_view testo);
std::string MsgDataNonValidaDialogo(std::string_view testo);

// A label placed at (x, y) on `parent`, sized to its text.
QLabel* etichetta(const QString& testo, QWidget* parent, int x, int y);

} // namespace valmora::gui
