#pragma once
// A canvas that remembers what was drawn, with fixed-width metrics a test can work
// out by hand: every character is as many pixels wide as the font size in points,
// one pixel more when bold.

#include "print/ReportCanvas.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace valmora::test {

struct DrawnItem {
    enum class Kind { Text, Rule };
    Kind kind = Kind::Text;
    int page = 1;
    int x = 0;
    int y = 0;
    int x2 = 0; // rules: where they end
    std::string text;
    int size = 0;
    bool bold = false;
    Colour colour;
    std::string font;
};

class RecordingCanvas : public ReportCanvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    void beginDocument() override {
        ++begun;
        page_ = 1;
    }
    void endDocument() override { ++ended; }
    void abortDocument() override { ++aborted; }
    void newPage() override { ++page_; }
    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }

    void setFontName(const std::string& family) override { font_ = family; }
    void setFontSize(int points) override { size_ = points; }
    int fontSize() const override { return size_; }
    void setBold(bool bold) override { bold_ = bold; }
    void setColour(Colour colour) override { colour_ = colour; }

    int textWidth(std::string_view text) const override {
        int characters = 0;
        for (unsigned char c : text)
            if ((c & 0xC0) != 0x80) // count code points, not UTF-8 bytes
                ++characters;
        return characters * (size_ + (bold_ ? 1 : 0));
    }
    void drawText(int x, int y, std::string_view text) override {
        if (failOnText > 0 && --failOnText == 0)
            throw std::runtime_error("Stampante non disponibile");
        items.push_back({DrawnItem::Kind::Text, page_, x, y, 0, std::string(text), size_, bold_, colour_, font_});
    }
    void drawHorizontalLine(int x1, int x2, int y) override {
        items.push_back({DrawnItem::Kind::Rule, page_, x1, y, x2, {}, size_, bold_, colour_, font_});
    }

    int pages() const { return page_; }

    // The report as lines of text: the texts drawn at one y joined by " | " (in the order drawn),
    // "----" for a rule and "== pagina N ==" where a page begins after the first.
    std::vector<std::string> transcript() const {
        std::vector<std::string> lines;
        int page = 1;
        const DrawnItem* previous = nullptr;
        for (const DrawnItem& item : items) {
            if (item.page != page) {
                page = item.page;
                lines.push_back("== pagina " + std::to_string(page) + " ==");
                previous = nullptr;
            }
            if (item.kind == DrawnItem::Kind::Rule) {
                lines.push_back("----");
                previous = nullptr;
                continue;
            }
            if (previous && previous->y == item.y)
                lines.back() += " | " + item.text;
            else
                lines.push_back(item.text);
            previous = &item;
        }
        return lines;
    }

    std::vector<DrawnItem> items;
    int begun = 0;
    int ended = 0;
    int aborted = 0;
    int failOnText = 0; // > 0: the n-th drawText throws, as a printer that gives up

private:
    int width_;
    int height_;
    int page_ = 1;
    std::string font_;
    int size_ = 12;
    bool bold_ = false;
    Colour colour_;
};

} // namespace valmora::test
