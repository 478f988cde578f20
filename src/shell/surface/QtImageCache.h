#pragma once

#include "shell/surface/DeviceColours.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CxImage;
class Graph;

// The decoded pictures of the surface, converted once into the form QPainter draws
// fastest (premultiplied ARGB), and in device colours while that view is on. An entry
// holds its picture weakly: a picture reloaded or freed gets a new entry, never a stale one.
class QtImageCache
{
public:
    // Gives every picture among `objects` its entry (converting what is new or stale) and
    // drops the entries of pictures that are gone. With `device`, pictures are shown as
    // the build converts them to `format` (a RES_FORMAT code) with each element's own
    // alpha format and ARGB output.
    void prepare(const std::vector<Graph*>& objects, bool device, int format);

    // The converted picture whose RGBA pixels start at `rgba`, or null.
    const QImage* find(const std::uint8_t* rgba) const;
    void clear() { m_entries.clear(); }
    std::size_t size() const { return m_entries.size(); }
    // Number of conversions made so far.
    int conversions() const { return m_conversions; }

    // The form the surface draws `width` x `height` RGBA pixels in.
    static QImage convert(const std::uint8_t* rgba, int width, int height);

private:
    struct Entry
    {
        std::weak_ptr<const CxImage> image;
        bool device = false;
        DeviceColours::Choice choice;
        QImage converted;
    };

    std::unordered_map<const std::uint8_t*, Entry> m_entries;
    int m_conversions = 0;
};
