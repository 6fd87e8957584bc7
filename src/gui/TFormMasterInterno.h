#pragma once
// What the files of the main window (TFormMaster*.cpp) share, and nothing else includes: the engine's
// UTF-8 strings as Qt's, the window's font, a combo box filled from the engine's list.

#include "model/StringList.h"

#include <QComboBox>
#include <QFont>
#include <QString>

#include <string>
#include <string_view>

namespace valmora::gui::finestra_principale {

inline QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline QFont arial(int pixels, bool bold = false, bool italic = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

inline void riempi(QComboBox* box, const StringList& voci) {
    box->clear();
    for (const std::string& v : voci.items())
        box->addItem(QString::fromStdString(v));
}

} // namespace valmora::gui::finestra_principale
