// Feeds arbitrary bytes to the readers of "widgetdef.xml" and "keydef.xml".
#include "projectfile/ElementClassTable.h"
#include "projectfile/KeyTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ElementClassTable classes = ElementClassTable::fromText(text);
    for (int type = 0; type <= 5; ++type) {
        (void)classes.className(type);
    }
    for (const DefinitionEntry& entry : classes.entries()) {
        (void)classes.readingWidgetType(entry.name);
    }
    (void)KeyTable::fromText(text);
    return 0;
}
