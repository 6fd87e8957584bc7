#include "gui/canvas/PdfReport.h"

#include "gui/canvas/PainterCanvas.h"
#include "mainwindow/FormMaster.h"
#include "print/Stampa.h"

#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QMessageLogContext>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <stdexcept>

namespace valmora {

namespace {

constexpr int kPdfResolution = 300;
constexpr qreal kMarginMillimetres = 10.0;

// A program without a screen (the command-line tool) writes its own transcript on its standard
// streams; Qt's notes about the environment (no runtime folder, font fallbacks) do not belong there.
// Errors still go through.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

} // namespace

void ensureGuiApplication() {
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            throw std::logic_error("La stampa richiede un'applicazione grafica Qt.");
        return;
    }
    // Kept for the rest of the process: QGuiApplication wants argc and argv to outlive it, and
    // tearing it down during static destruction is not safe.
    static int argc = 3;
    static char name[] = "valmora";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platformOption, offscreen, nullptr};
    previousHandler = qInstallMessageHandler(quietHandler);
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

void renderToPdf(const std::string& pdfPath, const std::string& title, const std::function<void(ReportCanvas&)>& draw) {
    ensureGuiApplication();
    const QString path = QString::fromStdString(pdfPath);
    {
        // Ask first, so a folder that does not exist or a read-only file gets a message naming it.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw std::runtime_error("Impossibile scrivere il file: " + pdfPath);
    }
    try {
        QPdfWriter writer(path);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("Valmora"));
        writer.setTitle(QString::fromStdString(title));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                        QPageLayout::Millimeter));
        PainterCanvas canvas(writer);
        draw(canvas);
    } catch (...) {
        // Half a report is worse than none: nobody should mistake it for the whole of it.
        QFile::remove(path);
        throw;
    }
}

void renderReportToPdf(const MonthlySummarySource& source, const std::string& pdfPath) {
    renderToPdf(pdfPath, "Riepilogo Mensile", [&source](ReportCanvas& canvas) {
        MonthlySummaryReport report(source);
        report.StampaRiepilogo(canvas);
    });
}

bool renderReportToPdf(FormMaster& master, const std::string& pdfPath) {
    if (!master.ContoAperto())
        return false;
    renderReportToPdf(summarySourceOf(master), pdfPath);
    return true;
}

} // namespace valmora
