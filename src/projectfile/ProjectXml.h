#pragma once

#include <tinyxml.h>

#include <cstdint>
#include <optional>
#include <string>

// The small vocabulary of the project file: "property" children with "name" and "value",
// scene and element nodes found by their "id" property, and the number and colour forms
// of the values.
namespace projectfile {

// The comment a new or older project document gets beside its root element.
inline constexpr char kDocumentComment[] = "Zorvane IDE, Rapid Application Development";

// Returns the first child "property" of `parent` whose "name" is exactly `name`, or null.
// Owned by the document.
TiXmlElement* FindProperty(TiXmlElement& parent, const char* name);
const TiXmlElement* FindProperty(const TiXmlElement& parent, const char* name);

// Returns the "value" of property `name`, or null when the property or its value is
// missing. Owned by the document.
const char* PropertyValue(const TiXmlElement& parent, const char* name);

// Returns a number as the project file writes it: "0x" or "0X" followed by hexadecimal
// digits, where every character that is not one is skipped ("0x1g2" is 0x12); anything
// else read as a decimal integer (leading blanks, optional sign, leading digits; 0 without
// any). Only the low 32 bits are kept: "-1" gives 0xFFFFFFFF.
std::uint32_t ParseNumber(const char* text);

// Returns a decimal integer (leading blanks, optional sign, leading digits), clamped to
// 32 bits; 0 without digits. Identifiers, keys and directions are decimal.
std::int32_t ParseDecimal(const char* text);

// Returns the property's value as a number (ParseNumber), 0 when it is missing.
std::int32_t ReadIntProperty(const TiXmlElement& parent, const char* name);

// Returns the property's value, or nothing when it is missing. Text arrives as it stands:
// valid UTF-8 is the process's own encoding, anything else is kept byte for byte.
std::optional<std::string> ReadTextProperty(const TiXmlElement& parent, const char* name);

// Returns the identifier a scene or element node carries in its "id" property (decimal),
// or nothing when the node has none.
std::optional<std::uint32_t> NodeId(const TiXmlElement& node);

// Returns the colour with its red and blue bytes exchanged: 0xAARRGGBB in the file,
// 0xAABBGGRR in memory, and back.
std::uint32_t ExchangeRedBlue(std::uint32_t colour);

// Formats for written values: "0x%x", "0x%.4x", "0x%.8x", "%d".
std::string Hex(std::uint32_t value);
std::string Hex4(std::uint32_t value);
std::string Hex8(std::uint32_t value);
std::string Decimal(long long value);

// Returns a new "property" element with "name" and "value", in that order. The caller owns
// it until it is linked into a document.
TiXmlElement NewProperty(const char* name, const std::string& value);

// Inserts a copy of `node` into `parent` before `before` (null appends). Returns the
// inserted element, owned by the document.
TiXmlElement* InsertBefore(TiXmlElement& parent, TiXmlNode* before, const TiXmlElement& node);
// Inserts a copy of `node` into `parent` after `after` (null appends).
TiXmlElement* InsertAfter(TiXmlElement& parent, TiXmlNode* after, const TiXmlElement& node);

// Gives every child "widget" of `parent` the tag "element" (the older spelling).
void RenameWidgetChildren(TiXmlElement& parent);

} // namespace projectfile
