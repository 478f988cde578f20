#pragma once

#include <tinyxml.h>

#include <string>

namespace projectfile {

// Returns the document as the project file keeps it: TinyXML's classic form (one element
// per line, four spaces a level, " />"), CR LF line ends, and a UTF-8 byte-order mark when
// the loaded file had one. The same bytes as model::PrintDocument, made in one pass: a save
// prints thousands of nodes.
std::string PrintProjectDocument(const TiXmlDocument& document);

} // namespace projectfile
