#include "components/visual/StringGraph.h"

#include "components/visual/GraphPainter.h"
#include "components/visual/NarrowText.h"

#include <cmath>

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

int scaled(int value, double factor)
{
    return static_cast<int>(std::lround(value * factor));
}

} // namespace

StringGraph::StringGraph() = default;

StringGraph::~StringGraph() = default;

std::unique_ptr<Graph> StringGraph::Clone() const
{
    auto copy = std::make_unique<StringGraph>();
    copy->Copy(*this);
    return copy;
}

void StringGraph::Copy(const Graph& source)
{
    Graph::Copy(source);
    if (const auto* text = dynamic_cast<const StringGraph*>(&source)) {
        m_text = text->m_text;
        m_narrow = text->m_narrow;
        m_wide = text->m_wide;
        m_font = text->m_font;
        m_format = text->m_format;
        m_textColor = text->m_textColor;
        m_textBkColor = text->m_textBkColor;
        m_bkMode = text->m_bkMode;
    }
}

void StringGraph::Draw(GraphPainter& painter) const
{
    GraphRect view;
    if (!BeginDraw(painter, view)) {
        return;
    }
    DrawBackground(painter, view, 255);
    if (m_bkMode == kBkOpaque) {
        painter.fillRect(view, m_textBkColor & kRgbMask, 255);
    }
    if (!m_text.empty()) {
        GraphFont font = m_font;
        font.height = scaled(font.height, GetScale());
        font.width = scaled(font.width, GetScale());
        painter.drawText(view, m_text, font, m_format, m_textColor & kRgbMask, 255);
    }
    EndDraw(painter);
}

int StringGraph::GraphType() const
{
    return kGraphText;
}

void StringGraph::SetText(const std::string& text)
{
    m_narrow = text;
    m_text = visual::wideFromNarrow(text);
    m_wide = false;
}

void StringGraph::SetTextW(const std::u16string& text)
{
    m_text = text;
    m_narrow.clear();
    m_wide = true;
}

bool StringGraph::SetBkMode(int mode)
{
    if (mode != kBkTransparent && mode != kBkOpaque) {
        return false;
    }
    m_bkMode = mode;
    return true;
}
