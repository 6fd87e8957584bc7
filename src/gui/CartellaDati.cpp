#include "gui/CartellaDati.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace valmora::gui {

namespace {

bool contieneDati(const QString& cartella) {
    return QFileInfo::exists(cartella + QStringLiteral("/Licenza.txt")) &&
           QFileInfo::exists(cartella + QStringLiteral("/help/indice.html"));
}

} // namespace

QString cartellaDati() {
    const QString scelta = qEnvironmentVariable("VALMORA_DATA_DIR");
    if (!scelta.isEmpty())
        return QDir::cleanPath(scelta);
    const QString programma = QCoreApplication::applicationDirPath();
    const QString installata = QDir::cleanPath(programma + QStringLiteral("/../share/valmora"));
    if (!contieneDati(programma) && contieneDati(installata))
        return installata;
    return programma;
}

QString fileGuida(const QString& pagina) {
    return cartellaDati() + QStringLiteral("/help/") + pagina;
}

QString fileLicenza() {
    return cartellaDati() + QStringLiteral("/Licenza.txt");
}

QString verificaCartellaDati() {
    QString mancanti;
    for (const QString& file : {fileGuida(QStringLiteral("indice.html")), fileLicenza()})
        if (!QFileInfo(file).isFile())
            mancanti += QStringLiteral("File non trovato: ") + QDir::toNativeSeparators(file) + QLatin1Char('\n');
    return mancanti;
}

} // namespace valmora::gui
