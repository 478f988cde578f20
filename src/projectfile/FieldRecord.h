#pragma once

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class NodeProperties;

// The field records of the project file: each element kind stores its attributes as one
// "property" per named field of a table, in table order. A field maps onto the packed
// block the kind keeps in memory (GroupInfo, PicItemInfo, StringItemInfo) at an offset,
// with a width in bytes, little-endian. Fields named "unknown" belong to the record but
// are never written and read as zero.
struct RecordField
{
    const char* name;
    std::uint8_t width;
    int offset; // in the kind's block; -1 for an "unknown" field the block keeps elsewhere
};

using FieldTable = std::vector<RecordField>;

namespace projectfile {

// The tables in the order the file keeps them.
const FieldTable& GroupFields();
const FieldTable& PictureFields();
const FieldTable& StringFields();

// Reads every named field of `table` from the properties of `node` into `block` (`size`
// bytes): the field's bytes are cleared, then take the low bytes of the number read, with
// red and blue exchanged for "background" and "foreground". A missing "visible" is added
// to the node with value 1 (before its first "element" child) and reads 1.
void ReadFields(TiXmlElement& node, const FieldTable& table, void* block, std::size_t size);

// Writes every named field of `table` from `block` into the node's properties: "0x%.4x"
// for widths 1 and 2, "0x%.8x" for 4, "%d" of the signed byte for "direction"; colours
// exchanged back.
void WriteFields(NodeProperties& properties, const FieldTable& table, const void* block,
                 std::size_t size);

// Typed forms of the two.
template <typename Block>
void ReadFields(TiXmlElement& node, const FieldTable& table, Block& block)
{
    ReadFields(node, table, static_cast<void*>(&block), sizeof block);
}

template <typename Block>
void WriteFields(NodeProperties& properties, const FieldTable& table, const Block& block)
{
    WriteFields(properties, table, static_cast<const void*>(&block), sizeof block);
}

} // namespace projectfile
