#pragma once
// The program's help: Italian pages kept in the resources, shown in a window of their own. The windows
// address a topic by its context number (the main window's controls, the settings tabs, the rate and
// operation dialogs); 0 is the contents.

#include <QDialog>
#include <QUrl>

class QTextBrowser;
class QPushButton;

namespace valmora::gui {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The page of a context number; the contents for 0 and for a number no topic carries.
    static QUrl paginaDiContesto(int contesto);
    // Every page of the help, the contents first (each reachable from it).
    static QList<QUrl> tuttePagine();

    void mostraContenuti() { mostraArgomento(0); }
    void mostraArgomento(int contesto);
    // Closes the window (at exit).
    void esci() { close(); }

    QTextBrowser* Browser;
    QPushButton* Indietro;
    QPushButton* Contenuti;

private:
    QWidget* genitore_;
};

} // namespace valmora::gui
