#pragma once

#include <tinyxml.h>

#include <string>

class APStyleProject;

// The "resource" sections of a project document: picture paths with their layer
// ids, string source files and string identifiers.
class ResourceSection
{
public:
    // Empties both registries, the text file list and the layer map of `project`,
    // then fills them from every "resource" child of `root`. A "$CASE" picture or
    // text file path is stored relative to the case directory and marks the
    // project modified.
    static void Read(APStyleProject& project, const TiXmlElement& root);

    // Sets (enableLayerId == 1) or removes (otherwise) the "LayerID" attribute of
    // every "picture" of the document's resource sections from the project's layer
    // map, then writes the document to its file (its value). Returns true when the
    // file was written.
    static bool UpdateLayerIds(const APStyleProject& project, TiXmlDocument& document,
                               int enableLayerId);

    // The stored form of a path read from a resource section: a "$CASE" path made
    // relative to the case directory (`fromCase` tells when that happened), and
    // with `lowerCase` A to Z lower-cased.
    static std::string StoredForm(const APStyleProject& project, const std::string& value,
                                  bool lowerCase, bool* fromCase = nullptr);
};
