#pragma once

#include <tinyxml.h>

#include <string>

// Printing a retained project document the way the project file format keeps it:
// TinyXML's standard form, a UTF-8 byte-order mark when the loaded file had one,
// and CR LF line ends.
namespace model {

// Returns the printed document.
std::string PrintDocument(const TiXmlDocument& document);

// Prints `document` to `path` without ever destroying the previous file (written
// beside it, then renamed over it). Returns false, the old file intact, on failure.
bool WriteDocument(const TiXmlDocument& document, const std::string& path);

} // namespace model
