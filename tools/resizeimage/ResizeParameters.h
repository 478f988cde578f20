#pragma once

#include <string>

// The parameters of resizeimage, from its one argument "string = key = value; ...".
struct ResizeParameters
{
    int sourceWidth = 0;
    int sourceHeight = 0;
    int destinationWidth = 0;
    int destinationHeight = 0;
    std::string sourceAppsDirectory;
    std::string resourceDirectory; // relative to both apps directories
    std::string destinationAppsDirectory;
    std::string uprightFolder;
    std::string sidewaysFolder;
};

// Parses `text`: an optional leading "string =", then "key = value;" pairs (blanks around
// keys and values are dropped). A value ends at the ';' that is followed by the next key and its
// '=' or by the end of the text, so paths may hold ';' themselves. Returns false with `problem` set
// for an unknown key, a size that is no number above 0, or a missing key.
bool parseResizeParameters(const std::string& text, ResizeParameters& parameters,
                           std::string& problem);
