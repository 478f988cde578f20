#pragma once

#include "components/visual/GraphFont.h"
#include "components/visual/GraphRect.h"

#include <cstdint>
#include <string>

// What a drawable needs from whoever puts pixels on a screen. The Qt surface implements
// it with a QPainter; tests record the calls. Coordinates are view pixels (scene pixels
// times the drawable's scale). Colours are 0x00BBGGRR: the top byte is not an opacity,
// because stored colours leave it 0; opacity is passed separately, 0 (invisible) to 255.
class GraphPainter
{
public:
    enum class LineStyle
    {
        Solid,
        Dashed,
        Dotted
    };

    virtual ~GraphPainter() = default;

    // Limits every following call to `rect` until clearClip.
    virtual void setClip(const GraphRect& rect) = 0;
    virtual void clearClip() = 0;

    virtual void fillRect(const GraphRect& rect, std::uint32_t colour, int opacity) = 0;
    // Draws the outline just inside `rect`.
    virtual void drawFrame(const GraphRect& rect, std::uint32_t colour, LineStyle style) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, std::uint32_t colour,
                          LineStyle style) = 0;
    // Draws `width` x `height` RGBA pixels (4 bytes a pixel, rows top-down, not owned)
    // stretched to `target`, multiplied by `opacity`.
    virtual void drawImage(const GraphRect& target, const std::uint8_t* rgba, int width, int height,
                           int opacity) = 0;
    // Draws `text` inside `rect` with the text-format flags of StringGraph (alignment,
    // single line, word break).
    virtual void drawText(const GraphRect& rect, const std::u16string& text, const GraphFont& font,
                          unsigned format, std::uint32_t colour, int opacity) = 0;
};
