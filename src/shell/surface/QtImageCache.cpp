#include "shell/surface/QtImageCache.h"

#include "components/visual/CxImage.h"
#include "components/visual/ImageGraph.h"
#include "model/PicSnapshotItem.h"

namespace {

DeviceColours::Choice ChoiceOf(const Graph& graph, int format)
{
    DeviceColours::Choice choice;
    choice.format = format;
    if (const auto* picture = dynamic_cast<const PicSnapshotItem*>(&graph)) {
        const PicItemInfo info = picture->PicInfo();
        choice.alphaFormat = info.alphaFormat;
        choice.argbOutput = info.argbOutput;
    }
    return choice;
}

} // namespace

QImage QtImageCache::convert(const std::uint8_t* rgba, int width, int height)
{
    const QImage wrapped(rgba, width, height, width * 4, QImage::Format_RGBA8888);
    return wrapped.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void QtImageCache::prepare(const std::vector<Graph*>& objects, bool device, int format)
{
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        it = it->second.image.expired() ? m_entries.erase(it) : std::next(it);
    }
    for (const Graph* graph : objects) {
        const auto* drawable = dynamic_cast<const ImageGraph*>(graph);
        if (!drawable || !drawable->SharedImage() || !drawable->SharedImage()->IsValid()) {
            continue;
        }
        const std::shared_ptr<const CxImage>& image = drawable->SharedImage();
        const DeviceColours::Choice choice = ChoiceOf(*graph, format);
        Entry& entry = m_entries[image->GetBits()];
        if (entry.image.lock() == image && entry.device == device &&
            (!device || entry.choice == choice) && !entry.converted.isNull()) {
            continue;
        }
        entry.image = image;
        entry.device = device;
        entry.choice = choice;
        if (device) {
            const std::vector<std::uint8_t> pixels = DeviceColours::Convert(*image, choice);
            entry.converted = convert(pixels.data(), image->GetWidth(), image->GetHeight());
        } else {
            entry.converted = convert(image->GetBits(), image->GetWidth(), image->GetHeight());
        }
        ++m_conversions;
    }
}

const QImage* QtImageCache::find(const std::uint8_t* rgba) const
{
    const auto it = m_entries.find(rgba);
    return it == m_entries.end() || it->second.image.expired() ? nullptr : &it->second.converted;
}
