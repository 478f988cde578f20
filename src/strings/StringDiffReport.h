#pragma once

#include <string>

class StringTableDiff;

// The report of `diff` as lines of text for people, `file` named in its first line and
// its verdict ("nothing would be lost" or "something would be lost") in its last.
std::string StringDiffReport(const StringTableDiff& diff, const std::string& file);
