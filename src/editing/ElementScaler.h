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
// Elements of any other class (the frame lists of pictures) keep every value. Positions are
// signed: one left of or above the screen stays there, scaled.
class ElementScaler
{
public:
    ElementScaler(float scaleX, float scaleY) : m_scaleX(scaleX), m_scaleY(scaleY) {}

    // Scales the one node `element` (not its children).
    void scaleElement(TiXmlElement& element) const;
    // Scales every "element" node of every "scene" child of `root`, at any depth, each once.
    // Returns the number of element nodes visited.
    int scaleScenes(TiXmlElement& root) const;

    // The two kinds of 16-bit field the scaler changes: x and y are signed, width and height
    // unsigned.
    enum class FieldType
    {
        Position,
        Size
    };

    // Returns `value` (hexadecimal text; text that is no number counts as 0), read as a
    // field of `type` from its low 16 bits, times `scale`, computed in single precision,
    // truncated toward zero and held within the field's range, as "0x%.4x" of the field's
    // 16 bits.
    static std::string scaledValue(const char* value, float scale, FieldType type);

private:
    int scaleTree(TiXmlElement& element) const;

    float m_scaleX;
    float m_scaleY;
};

} // namespace editing
