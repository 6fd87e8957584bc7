#include "gui/DialoghiComuni.h"

#include <QLabel>

namespace valmora::gui {

QFont carattere(const QString& famiglia, int pixel, bool grassetto) {
    QFont f(famiglia);
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    return f;
}

std::string MsgNumeroNonValidoDialogo(std::string_view testo) {
    return "\"" + std::string(testo) +
           "\" non è un numero valido.\rScrivere solo cifre, con la virgola per i decimali (per esempio 12,50).";
}

std::string MsgDataNonValidaDialogo(std::string_view testo) {
    return "\"" + std::string(testo) + "\" non è una data valida.\rScrivere la data nella forma gg/mm/aaaa.";
}

QLabel* etichetta(const QString& testo, QWidget* parent, int x, int y) {
    auto* l = new QLabel(testo, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace valmora::gui
