#pragma once

#include "components/visual/Graph.h"
#include "components/visual/GraphFont.h"

#include <cstdint>
#include <string>

// A drawable that shows one line or block of text with a font, colours, alignment and a
// background mode. The string elements set all of it from their attribute block.
class StringGraph : public Graph
{
public:
    // Text-format flags (TextFormat). Horizontal and vertical alignment combine with OR.
    enum Format : unsigned
    {
        kFormatLeft = 0x00,
        kFormatCenter = 0x01,
        kFormatRight = 0x02,
        kFormatTop = 0x00,
        kFormatVCenter = 0x04,
        kFormatBottom = 0x08,
        kFormatWordBreak = 0x10,
        kFormatSingleLine = 0x20,
        kFormatHorizontalMask = 0x03,
        kFormatVerticalMask = 0x0C,
    };
    // Background modes (BkMode): the text cell is left as it is, or filled with
    // TextBkColor.
    enum BackgroundMode
    {
        kBkTransparent = 1,
        kBkOpaque = 2
    };

    StringGraph();
    ~StringGraph() override;

    std::unique_ptr<Graph> Clone() const override;
    // Also takes text, font, format, colours and background mode from a StringGraph.
    void Copy(const Graph& source) override;
    // Paints the background (when in use), the text cell in opaque mode, then the text.
    void Draw(GraphPainter& painter) const override;
    int GraphType() const override;

    // Sets narrow text (UTF-8; older text in code page 936 is shown as such).
    void SetText(const std::string& text);
    // Sets wide (UTF-16) text.
    void SetTextW(const std::u16string& text);
    // The text as shown, whichever way it was set.
    const std::u16string& Text() const { return m_text; }
    // The narrow text exactly as given to SetText; empty after SetTextW.
    const std::string& NarrowText() const { return m_narrow; }
    // True when the text came through SetTextW.
    bool IsWideText() const { return m_wide; }

    const GraphFont& Font() const { return m_font; }
    void SetFont(const GraphFont& font) { m_font = font; }
    const std::string& FontFaceName() const { return m_font.faceName; }
    void SetFontFaceName(const std::string& name) { m_font.faceName = name; }
    int FontHeight() const { return m_font.height; }
    void SetFontHeight(int height) { m_font.height = height; }
    int FontWidth() const { return m_font.width; }
    void SetFontWidth(int width) { m_font.width = width; }
    int FontWeight() const { return m_font.weight; }
    void SetFontWeight(int weight) { m_font.weight = weight; }
    bool IsItalic() const { return m_font.italic; }
    void SetItalic(bool italic) { m_font.italic = italic; }
    bool IsUnderline() const { return m_font.underline; }
    void SetUnderline(bool underline) { m_font.underline = underline; }

    // Text-format flags, an OR of Format values.
    unsigned TextFormat() const { return m_format; }
    void SetTextFormat(unsigned format) { m_format = format; }

    // Colours are 0xAABBGGRR.
    std::uint32_t TextColor() const { return m_textColor; }
    void SetTextColor(std::uint32_t colour) { m_textColor = colour; }
    std::uint32_t TextBkColor() const { return m_textBkColor; }
    void SetTextBkColor(std::uint32_t colour) { m_textBkColor = colour; }

    // One of BackgroundMode.
    int BkMode() const { return m_bkMode; }
    // Sets the background mode; a value that is no BackgroundMode is ignored, returning
    // false.
    bool SetBkMode(int mode);

protected:
    StringGraph(const StringGraph&) = default;
    StringGraph& operator=(const StringGraph&) = default;

private:
    std::u16string m_text;
    std::string m_narrow;
    bool m_wide = false;
    GraphFont m_font;
    unsigned m_format = kFormatCenter | kFormatVCenter | kFormatSingleLine;
    std::uint32_t m_textColor = 0x000000;
    std::uint32_t m_textBkColor = 0xFFFFFF;
    int m_bkMode = kBkTransparent;
};
