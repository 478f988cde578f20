#pragma once

#include <string>

// Marks a text for the message catalogue where it is only stored (tables, constants);
// uiText() translates it where it is shown.
#define N_(text) text
// The same for a command-line program's message (toolText()).
#define N_TOOL(text) text

namespace platform {

// The text a user reads for a Chinese source text of the core: the text itself under Chinese,
// its English translation from the "skinsmith" catalogue under English (the text itself when
// the catalogue has none). The result lives as long as the process.
const char* uiText(const char* chinese) __attribute__((format_arg(1)));

// The same for an English source text of the command-line programs (the "skinsmith-tools"
// catalogue): the text itself under English, and under Chinese while no Chinese catalogue
// is installed.
const char* toolText(const char* english) __attribute__((format_arg(1)));

// printf into a string, for translated texts that hold %s and %d.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace platform
