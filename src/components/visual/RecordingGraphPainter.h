#pragma once

#include "components/visual/GraphPainter.h"

#include <vector>

// Records what the drawables paint, for tests of the drawables and of the layers that
// build scenes from them. Pixels are not kept, only their size.
class RecordingGraphPainter : public GraphPainter
{
public:
    enum class Kind
    {
        SetClip,
        ClearClip,
        FillRect,
        DrawFrame,
        DrawLine,
        DrawImage,
        DrawText
    };

    struct Call
    {
        Kind kind = Kind::FillRect;
        GraphRect rect; // clip, fill, frame, image target or text box; line ends
        std::uint32_t colour = 0;
        int opacity = 255;
        LineStyle style = LineStyle::Solid;
        int imageWidth = 0;
        int imageHeight = 0;
        std::u16string text;
        GraphFont font;
        unsigned format = 0;
    };

    void setClip(const GraphRect& rect) override;
    void clearClip() override;
    void fillRect(const GraphRect& rect, std::uint32_t colour, int opacity) override;
    void drawFrame(const GraphRect& rect, std::uint32_t colour, LineStyle style) override;
    void drawLine(int x1, int y1, int x2, int y2, std::uint32_t colour, LineStyle style) override;
    void drawImage(const GraphRect& target, const std::uint8_t* rgba, int width, int height,
                   int opacity) override;
    void drawText(const GraphRect& rect, const std::u16string& text, const GraphFont& font,
                  unsigned format, std::uint32_t colour, int opacity) override;

    const std::vector<Call>& calls() const { return m_calls; }
    // Returns the calls of one kind, in order.
    std::vector<Call> callsOf(Kind kind) const;
    int count(Kind kind) const;
    void clear() { m_calls.clear(); }

private:
    std::vector<Call> m_calls;
};
