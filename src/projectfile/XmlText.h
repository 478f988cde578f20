#pragma once

#include <string>
#include <tinyxml.h>

// Parses `text` into `document` with `encoding`; a NUL inside the text ends it there.
// TinyXML steps over a whole multi-byte character even where the text ends inside one, and
// so walks past the end of what it was given: the text it reads is followed by enough NULs
// to stop it.
void ParseXmlText(TiXmlDocument& document, std::string text, TiXmlEncoding encoding);
