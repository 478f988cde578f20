#pragma once

#include "components/packing/ResFileLayout.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace packing {

// The tiles of a picture entry, row by row, left to right; the last column
// and row are narrower where the picture does not fill them. Without a tile
// size the whole picture is one tile.
class TileGrid
{
public:
    struct Tile
    {
        std::size_t x, y, width, height;
    };

    TileGrid(const ResEntryInfo& entry, std::uint16_t tileWidth, std::uint16_t tileHeight);

    std::size_t count() const { return m_columns * m_rows; }
    Tile tile(std::size_t index) const;
    // Bytes of a tile's colour rows plus, with an alpha plane, its alpha rows.
    std::size_t tileBytes(const Tile& tile) const;
    std::size_t colourBytes(const Tile& tile) const { return tile.width * tile.height * m_bpp; }

    // Copies a tile's rows out of the whole planes, and back in.
    void gather(const std::vector<std::uint8_t>& planes, const Tile& tile,
                std::vector<std::uint8_t>& out) const;
    void scatter(const std::uint8_t* tileData, const Tile& tile,
                 std::vector<std::uint8_t>& planes) const;

private:
    std::size_t m_width;
    std::size_t m_height;
    std::size_t m_tileWidth;
    std::size_t m_tileHeight;
    std::size_t m_columns;
    std::size_t m_rows;
    std::size_t m_bpp;
    bool m_alpha;
};

} // namespace packing
