#include "gui/ApplicazioneQt.h"

#include "gui/QtUserInterface.h"

#include <cstdio>
#include <exception>

namespace valmora::gui {

ApplicazioneQt::ApplicazioneQt(int& argc, char** argv) : QApplication(argc, argv) {}

bool ApplicazioneQt::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (ui_)
            ui_->mostraErrore(e.what());
        else
            std::fprintf(stderr, "%s\n", e.what());
        return false;
    }
}

} // namespace valmora::gui
