#pragma once
// The information window, which also serves as the terms-of-use viewer (its rich-text box shown).

#include <QDialog>

class QLabel;
class QTextEdit;
class QFrame;

namespace valmora::gui {

class TInformazioni : public QDialog {
    Q_OBJECT
public:
    explicit TInformazioni(QWidget* parent = nullptr);

    // The information dialog, modal: the heading and the file version.
    void mostraInformazioni(const QString& titolo, const QString& versioneFile);
    // The terms file shown unchanged, not modal. Returns the file error, empty when it was shown.
    QString mostraCondizioni(const QString& file);

    QLabel* LabelTitolo;
    QLabel* LabelVersione;
    QTextEdit* RichEdit1;

private:
    QFrame* pannello_;
    QFrame* intestazione_;
};

} // namespace valmora::gui
