#include "strings/RtfClipboard.h"

#include "strings/RtfBuilder.h"
#include "strings/RtfReader.h"

RtfClipboard::Copied RtfClipboard::copy(std::u16string_view text)
{
    return {std::u16string(text), RtfBuilder::build(text)};
}

std::optional<std::u16string> RtfClipboard::textOfRtf(std::string_view rtf)
{
    return RtfReader::read(rtf);
}

std::u16string RtfClipboard::paste(const std::optional<std::string>& rtf,
                                   std::u16string_view plainText)
{
    if (rtf) {
        if (std::optional<std::u16string> text = RtfReader::read(*rtf)) {
            return std::move(*text);
        }
    }
    return std::u16string(plainText);
}
