#pragma once

#include <QString>

// Where the window keeps "SkinSmith.ini" and "zorve.ini": beside the program, as the tools
// expect; when that directory cannot be written (an installed copy in a system folder), in the
// user's configuration folder instead, seeded once with the shipped "SkinSmith.ini", so that
// option changes and the panel layout are not silently lost.
class SettingsDirectory
{
public:
    // `programDirectory` ends in '/'; so does the result.
    static QString forProgram(const QString& programDirectory);
};
