#pragma once

#include "model/APStyleProject.h"

// Checks a loaded project's resources against the disk and the string files, so
// that the resource panel can show the missing ones in red.
class ResourceCheck
{
public:
    // Lists first number + index of every picture whose file does not exist below
    // the case directory; shows one message when the list is not empty.
    static void MarkMissingPictures(APStyleProject& project);

    // Imports the project's text files in order into a scratch registry with
    // `importer`, gives every project string found there its texts (and the
    // project the language names read), then lists the number of every string
    // without a text; shows one message when the list is not empty.
    static void MarkMissingStrings(APStyleProject& project, const StringFileImporter& importer);
};
