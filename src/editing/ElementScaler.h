#pragma once

#include <string>

class TiXmlElement;

namespace editing {

// Scales the positions and sizes that a project document's "element" nodes store, for a
// project moved to another screen size. Values are read as hexadecimal numbers, multiplied in
// single precision, truncated toward zero and written back as "0x%.4x":
//   pictures, picture regions, strings: "x" by scale x, "y" by scale y (their width and height
//   follow their picture files or fonts and stay);
//   resource groups: "width" by scale x, "height" by scale y.
// Elements of any other class (the frame lists of pictures) keep every value.
class ElementScaler
{
public:
    ElementScaler(float scaleX, float scaleY) : m_scaleX(scaleX), m_scaleY(scaleY) {}

    // Scales the one node `element` (not its children).
    void scaleElement(TiXmlElement& element) const;
    // Scales every "element" node of every "scene" child of `root`, at any depth, each once.
    // Returns the number of element nodes visited.
    int scaleScenes(TiXmlElement& root) const;

    // Returns `value` (hexadecimal text; text that is no number counts as 0) times `scale`,
    // computed in single precision, truncated, as "0x%.4x".
    static std::string scaledValue(const char* value, float scale);

private:
    int scaleTree(TiXmlElement& element) const;

    float m_scaleX;
    float m_scaleY;
};

} // namespace editing
