#pragma once
// The application object of the desktop program. Commands run through QtUserInterface::esegui, which
// shows an engine error and lets the program go on; this is the net under everything else: an error
// that escapes any other event handler is shown the same way instead of ending the program.

#include <QApplication>

namespace valmora::gui {

class QtUserInterface;

// No Q_OBJECT: it adds no signal, slot or property to QApplication.
class ApplicazioneQt : public QApplication {
public:
    ApplicazioneQt(int& argc, char** argv);

    // Where errors are shown; nullptr writes them to the standard error.
    void setUserInterface(QtUserInterface* ui) { ui_ = ui; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QtUserInterface* ui_ = nullptr;
};

} // namespace valmora::gui
