#pragma once
// The report canvas on a QPainter over a paged device: a printer chosen in the print
// dialog, or a PDF file. Coordinates and text widths are in the device's own pixels,
// with fonts measured on the device, so the report's layout follows its resolution.

#include "print/ReportCanvas.h"

#include <QColor>
#include <QFont>

#include <memory>
#include <string>
#include <string_view>

class QPagedPaintDevice;
class QPainter;

namespace valmora {

class PainterCanvas : public ReportCanvas {
public:
    // Draws on a device the caller keeps alive until the canvas is gone.
    explicit PainterCanvas(QPagedPaintDevice& device);
    // Draws on a device the canvas owns (a QPrinter the print dialog configured).
    explicit PainterCanvas(std::unique_ptr<QPagedPaintDevice> device);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void beginDocument() override;
    void endDocument() override;
    void abortDocument() override;
    void newPage() override;

    int pageWidth() const override;
    int pageHeight() const override;

    void setFontName(const std::string& family) override;
    void setFontSize(int points) override;
    int fontSize() const override;
    void setBold(bool bold) override;
    void setColour(Colour colour) override;

    int textWidth(std::string_view text) const override;
    void drawText(int x, int y, std::string_view text) override;
    void drawHorizontalLine(int x1, int x2, int y) override;

    QPagedPaintDevice& device() const { return device_; }

private:
    QPainter& painter();

    std::unique_ptr<QPagedPaintDevice> owned_;
    QPagedPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    QColor colour_{Qt::black};
};

} // namespace valmora
