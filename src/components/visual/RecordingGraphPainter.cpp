#include "components/visual/RecordingGraphPainter.h"

#include <algorithm>
#include <iterator>

void RecordingGraphPainter::setClip(const GraphRect& rect)
{
    Call call;
    call.kind = Kind::SetClip;
    call.rect = rect;
    m_calls.push_back(call);
}

void RecordingGraphPainter::clearClip()
{
    Call call;
    call.kind = Kind::ClearClip;
    m_calls.push_back(call);
}

void RecordingGraphPainter::fillRect(const GraphRect& rect, std::uint32_t colour, int opacity)
{
    Call call;
    call.kind = Kind::FillRect;
    call.rect = rect;
    call.colour = colour;
    call.opacity = opacity;
    m_calls.push_back(call);
}

void RecordingGraphPainter::drawFrame(const GraphRect& rect, std::uint32_t colour, LineStyle style)
{
    Call call;
    call.kind = Kind::DrawFrame;
    call.rect = rect;
    call.colour = colour;
    call.style = style;
    m_calls.push_back(call);
}

void RecordingGraphPainter::drawLine(int x1, int y1, int x2, int y2, std::uint32_t colour,
                                     LineStyle style)
{
    Call call;
    call.kind = Kind::DrawLine;
    call.rect = {x1, y1, x2, y2};
    call.colour = colour;
    call.style = style;
    m_calls.push_back(call);
}

void RecordingGraphPainter::drawImage(const GraphRect& target, const std::uint8_t*, int width,
                                      int height, int opacity)
{
    Call call;
    call.kind = Kind::DrawImage;
    call.rect = target;
    call.imageWidth = width;
    call.imageHeight = height;
    call.opacity = opacity;
    m_calls.push_back(call);
}

void RecordingGraphPainter::drawText(const GraphRect& rect, const std::u16string& text,
                                     const GraphFont& font, unsigned format, std::uint32_t colour,
                                     int opacity)
{
    Call call;
    call.kind = Kind::DrawText;
    call.rect = rect;
    call.text = text;
    call.font = font;
    call.format = format;
    call.colour = colour;
    call.opacity = opacity;
    m_calls.push_back(call);
}

std::vector<RecordingGraphPainter::Call> RecordingGraphPainter::callsOf(Kind kind) const
{
    std::vector<Call> result;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(result),
                 [kind](const Call& call) { return call.kind == kind; });
    return result;
}

int RecordingGraphPainter::count(Kind kind) const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(),
                                          [kind](const Call& call) { return call.kind == kind; }));
}
