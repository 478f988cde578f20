#pragma once

#include <cstddef>
#include <string>

class StringTableDiff;

// The report of `diff` as lines of text for people, `file` named in its first line and
// its verdict ("nothing would be lost" or "something would be lost") in its last.
// `limit` (0: no limit) shortens it for a message box: at most that many lines a
// section, and long texts cut.
std::string StringDiffReport(const StringTableDiff& diff, const std::string& file,
                             std::size_t limit = 0);
