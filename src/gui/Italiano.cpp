#include "gui/Italiano.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace valmora::gui {

QString CartellaTraduzioniQt() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool ImpostaItaliano() {
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italiano);
    // One translator for the whole run, however many times the windows are made (the tests make them often).
    static QTranslator* qtbase = nullptr;
    if (qtbase != nullptr)
        return true;
    auto* traduttore = new QTranslator(QCoreApplication::instance());
    if (!traduttore->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"), CartellaTraduzioniQt())) {
        delete traduttore;
        return false;
    }
    QCoreApplication::installTranslator(traduttore);
    qtbase = traduttore;
    return true;
}

} // namespace valmora::gui
