#include "gui/canvas/PainterCanvas.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QString>

#include <stdexcept>

namespace valmora {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PainterCanvas::PainterCanvas(QPagedPaintDevice& device) : device_(device) {
    font_.setStyleHint(QFont::SansSerif);
}

PainterCanvas::PainterCanvas(std::unique_ptr<QPagedPaintDevice> device) : owned_(std::move(device)), device_(*owned_) {
    font_.setStyleHint(QFont::SansSerif);
}

PainterCanvas::~PainterCanvas() {
    if (painter_ && painter_->isActive())
        painter_->end();
}

void PainterCanvas::beginDocument() {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&device_)) {
        painter_.reset();
        throw std::runtime_error("Impossibile avviare la stampa: la stampante o il file non sono disponibili.");
    }
    painter_->setFont(font_);
    painter_->setPen(colour_);
}

void PainterCanvas::endDocument() {
    if (!painter_)
        return;
    const bool finished = painter_->end();
    painter_.reset();
    if (!finished)
        throw std::runtime_error("Impossibile completare la stampa.");
}

void PainterCanvas::abortDocument() {
    if (auto* printer = dynamic_cast<QPrinter*>(&device_))
        printer->abort();
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
}

void PainterCanvas::newPage() {
    if (!device_.newPage())
        throw std::runtime_error("Impossibile iniziare una nuova pagina di stampa.");
}

int PainterCanvas::pageWidth() const {
    return device_.width();
}
int PainterCanvas::pageHeight() const {
    return device_.height();
}

void PainterCanvas::setFontName(const std::string& family) {
    font_.setFamily(QString::fromStdString(family));
    if (painter_)
        painter_->setFont(font_);
}

void PainterCanvas::setFontSize(int points) {
    font_.setPointSize(points);
    if (painter_)
        painter_->setFont(font_);
}

int PainterCanvas::fontSize() const {
    return font_.pointSize();
}

void PainterCanvas::setBold(bool bold) {
    font_.setBold(bold);
    if (painter_)
        painter_->setFont(font_);
}

void PainterCanvas::setColour(Colour colour) {
    colour_ = QColor(colour.r, colour.g, colour.b);
}

int PainterCanvas::textWidth(std::string_view text) const {
    // Measured on the device itself: a 300 dpi page and the screen give different pixel widths.
    const QFontMetrics metrics(font_, &device_);
    return metrics.horizontalAdvance(fromUtf8(text));
}

void PainterCanvas::drawText(int x, int y, std::string_view text) {
    QPainter& p = painter();
    p.setPen(colour_);
    // y is the top of the line, as a printer canvas places text; QPainter wants the baseline.
    const QFontMetrics metrics(font_, &device_);
    p.drawText(x, y + metrics.ascent(), fromUtf8(text));
}

void PainterCanvas::drawHorizontalLine(int x1, int x2, int y) {
    QPainter& p = painter();
    // One device pixel, black whatever colour the text has.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(x1, y, x2, y);
}

QPainter& PainterCanvas::painter() {
    if (!painter_)
        throw std::logic_error("PainterCanvas: drawing outside a document");
    return *painter_;
}

} // namespace valmora
