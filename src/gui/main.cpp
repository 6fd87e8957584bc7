// Valmora, the desktop program: checks that there is a screen to show it on, then starts the windows.

#include "gui/Applicazione.h"
#include "gui/ApplicazioneQt.h"
#include "gui/CartellaDati.h"
#include "gui/TFormMaster.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Without a display Qt would abort with a message in English about platform plugins.
bool schermoDisponibile() {
#if defined(Q_OS_LINUX)
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v != nullptr && *v != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// valmora --cartella-dati: says where the help pages and the terms of use are taken from, and whether
// they are there (for an installation's check; no screen needed).
int mostraCartellaDati(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("%s\n", valmora::gui::cartellaDati().toLocal8Bit().constData());
    const QString mancanti = valmora::gui::verificaCartellaDati();
    std::fputs(mancanti.toLocal8Bit().constData(), stderr);
    return mancanti.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--cartella-dati") == 0)
        return mostraCartellaDati(argc, argv);
    if (!schermoDisponibile()) {
        std::fputs("Valmora: nessuno schermo disponibile (DISPLAY e WAYLAND_DISPLAY non sono impostate).\n"
                   "Avviare il programma da una sessione grafica, oppure usare valmora-cli.\n",
                   stderr);
        return 1;
    }
    valmora::gui::ApplicazioneQt app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Valmora"));
    QApplication::setApplicationName(QStringLiteral("Valmora"));
    valmora::SystemClock clock;
    valmora::gui::Applicazione valmora(clock);
    app.setUserInterface(&valmora.ui());
    valmora.master().showMaximized();
    const int status = app.exec();
    app.setUserInterface(nullptr);
    return status;
}
