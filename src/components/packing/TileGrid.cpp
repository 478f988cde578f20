#include "components/packing/TileGrid.h"

#include <algorithm>
#include <cstring>

namespace packing {

TileGrid::TileGrid(const ResEntryInfo& entry, std::uint16_t tileWidth, std::uint16_t tileHeight)
    : m_width(entry.width), m_height(entry.height), m_bpp(bytesPerPixel(entry.format)),
      m_alpha(entry.hasAlphaPlane())
{
    const bool tiled = tileWidth != 0 && tileHeight != 0;
    m_tileWidth = tiled ? std::min<std::size_t>(tileWidth, m_width) : m_width;
    m_tileHeight = tiled ? std::min<std::size_t>(tileHeight, m_height) : m_height;
    m_columns = m_tileWidth == 0 ? 0 : (m_width + m_tileWidth - 1) / m_tileWidth;
    m_rows = m_tileHeight == 0 ? 0 : (m_height + m_tileHeight - 1) / m_tileHeight;
}

TileGrid::Tile TileGrid::tile(std::size_t index) const
{
    Tile t{};
    t.x = index % m_columns * m_tileWidth;
    t.y = index / m_columns * m_tileHeight;
    t.width = std::min(m_tileWidth, m_width - t.x);
    t.height = std::min(m_tileHeight, m_height - t.y);
    return t;
}

std::size_t TileGrid::tileBytes(const Tile& tile) const
{
    return colourBytes(tile) + (m_alpha ? tile.width * tile.height : 0);
}

void TileGrid::gather(const std::vector<std::uint8_t>& planes, const Tile& tile,
                      std::vector<std::uint8_t>& out) const
{
    const std::uint8_t* colour = planes.data();
    for (std::size_t row = 0; row < tile.height; ++row) {
        const std::uint8_t* from = colour + ((tile.y + row) * m_width + tile.x) * m_bpp;
        out.insert(out.end(), from, from + tile.width * m_bpp);
    }
    if (!m_alpha) {
        return;
    }
    const std::uint8_t* alpha = colour + m_width * m_height * m_bpp;
    for (std::size_t row = 0; row < tile.height; ++row) {
        const std::uint8_t* from = alpha + (tile.y + row) * m_width + tile.x;
        out.insert(out.end(), from, from + tile.width);
    }
}

void TileGrid::scatter(const std::uint8_t* tileData, const Tile& tile,
                       std::vector<std::uint8_t>& planes) const
{
    std::uint8_t* colour = planes.data();
    for (std::size_t row = 0; row < tile.height; ++row) {
        std::uint8_t* to = colour + ((tile.y + row) * m_width + tile.x) * m_bpp;
        std::memcpy(to, tileData, tile.width * m_bpp);
        tileData += tile.width * m_bpp;
    }
    if (!m_alpha) {
        return;
    }
    std::uint8_t* alpha = colour + m_width * m_height * m_bpp;
    for (std::size_t row = 0; row < tile.height; ++row) {
        std::memcpy(alpha + (tile.y + row) * m_width + tile.x, tileData, tile.width);
        tileData += tile.width;
    }
}

} // namespace packing
