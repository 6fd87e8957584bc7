#pragma once
// The drawing surface the monthly summary is laid out on: a printer page, a PDF
// page, or a recording fake in the tests. Everything is in the device's own
// pixels, with the y axis pointing down from the top of the page; font sizes are
// in points and the device turns them into pixels, so a layout measured with
// textWidth() fits whatever resolution the device has.

#include <cstdint>
#include <string>
#include <string_view>

namespace valmora {

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    constexpr bool operator==(const Colour&) const = default;

    static constexpr Colour black() { return {0, 0, 0}; }
    static constexpr Colour blue() { return {0, 0, 255}; }
    static constexpr Colour red() { return {255, 0, 0}; }
};

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    // One print job: begin before the first page is drawn, end after the last.
    // The first page exists as soon as the document begins.
    virtual void beginDocument() = 0;
    virtual void endDocument() = 0;
    // The job cannot be finished (an error while drawing): drop what is pending.
    virtual void abortDocument() = 0;
    virtual void newPage() = 0;

    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    // The font all following text is measured and drawn with. Texts are UTF-8.
    virtual void setFontName(const std::string& family) = 0;
    virtual void setFontSize(int points) = 0;
    virtual int fontSize() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual void setColour(Colour colour) = 0;

    virtual int textWidth(std::string_view text) const = 0;
    // (x, y) is the top-left corner of the text's line box, as a printer canvas places text.
    virtual void drawText(int x, int y, std::string_view text) = 0;
    // A thin black rule; the pen does not follow the text colour.
    virtual void drawHorizontalLine(int x1, int x2, int y) = 0;
};

// One whole job: `disegna` draws its pages between beginDocument and endDocument. If drawing fails the job is
// dropped (half a report is worse than none) and the failure goes on to the caller.
template <typename Disegno> void StampaDocumento(ReportCanvas& canvas, Disegno&& disegna) {
    canvas.beginDocument();
    try {
        disegna();
    } catch (...) {
        try {
            canvas.abortDocument();
        } catch (...) {
            // The drawing's failure is the one to report.
        }
        throw;
    }
    canvas.endDocument();
}

} // namespace valmora
