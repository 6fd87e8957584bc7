#include "gui/AnteprimaStampa.h"

#include "gui/QtUserInterface.h"
#include "gui/canvas/PainterCanvas.h"
#include "mainwindow/FormMaster.h"
#include "print/Stampa.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace valmora::gui {

void AnteprimaRiepilogo(FormMaster& master, QtUserInterface& ui, QWidget* parent) {
    if (!master.ContoAperto())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog anteprima(&printer, parent);
    anteprima.setObjectName(QStringLiteral("AnteprimaRiepilogo"));
    anteprima.setWindowTitle(QStringLiteral("Anteprima di Stampa - Riepilogo Mensile"));
    QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, &anteprima, [&](QPrinter* dispositivo) {
        ui.esegui([&] {
            PainterCanvas canvas(*dispositivo);
            MonthlySummaryReport report(summarySourceOf(master));
            report.StampaRiepilogo(canvas);
        });
    });
    anteprima.resize(900, 700);
    anteprima.exec();
}

} // namespace valmora::gui
