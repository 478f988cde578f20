#pragma once

#include "components/visual/GraphPainter.h"

class QPainter;
class QtImageCache;

// Paints the drawables with a QPainter. Pictures come from the cache when it holds them
// (converted once), else they are converted for this one call.
class QtGraphPainter : public GraphPainter
{
public:
    // `painter` and `cache` (may be null) are not owned.
    explicit QtGraphPainter(QPainter& painter, const QtImageCache* cache = nullptr);
    ~QtGraphPainter() override;

    void setClip(const GraphRect& rect) override;
    void clearClip() override;
    void fillRect(const GraphRect& rect, std::uint32_t colour, int opacity) override;
    void drawFrame(const GraphRect& rect, std::uint32_t colour, LineStyle style) override;
    void drawLine(int x1, int y1, int x2, int y2, std::uint32_t colour, LineStyle style) override;
    void drawImage(const GraphRect& target, const std::uint8_t* rgba, int width, int height,
                   int opacity) override;
    void drawText(const GraphRect& rect, const std::u16string& text, const GraphFont& font,
                  unsigned format, std::uint32_t colour, int opacity) override;

private:
    QPainter& m_painter;
    const QtImageCache* m_cache;
    int m_clipDepth = 0;
};
