#include "components/visual/ImageGraph.h"

#include "components/visual/GraphPainter.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kPlaceholderColour = 0x00808080;

} // namespace

ImageGraph::ImageGraph() = default;

ImageGraph::~ImageGraph() = default;

std::unique_ptr<Graph> ImageGraph::Clone() const
{
    auto copy = std::make_unique<ImageGraph>();
    copy->Copy(*this);
    return copy;
}

void ImageGraph::Copy(const Graph& source)
{
    Graph::Copy(source);
    if (const auto* image = dynamic_cast<const ImageGraph*>(&source)) {
        m_image = image->m_image;
        m_transparency = image->m_transparency;
        m_loadError = image->m_loadError;
    }
}

void ImageGraph::Draw(GraphPainter& painter) const
{
    GraphRect view;
    if (!BeginDraw(painter, view)) {
        return;
    }
    const int opacity = 255 - m_transparency;
    DrawBackground(painter, view, opacity);
    if (m_image && m_image->IsValid()) {
        painter.drawImage(view, m_image->GetBits(), m_image->GetWidth(), m_image->GetHeight(),
                          opacity);
    } else {
        painter.drawFrame(view, kPlaceholderColour, GraphPainter::LineStyle::Dashed);
    }
    EndDraw(painter);
}

int ImageGraph::GraphType() const
{
    return kGraphPicture;
}

bool ImageGraph::LoadImageA(const std::string& path)
{
    auto image = std::make_shared<CxImage>();
    if (!image->Load(path)) {
        m_loadError = image->GetLastError();
        return false;
    }
    const GraphRect old = Envelop();
    Envelop({old.left, old.top, old.left + image->GetWidth(), old.top + image->GetHeight()});
    m_image = std::move(image);
    m_loadError.clear();
    return true;
}

void ImageGraph::Transparency(int value)
{
    m_transparency = std::clamp(value, 0, 255);
}
