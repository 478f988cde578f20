#pragma once

#include <string>

// Resizes one picture file (PNG, BMP or JPEG, told by its extension) by the factors given and
// writes it in the same format: PNG keeps its alpha channel, the filter weighs colours by
// alpha so that transparent pixels do not bleed into their neighbours. The output is written
// beside its final name and renamed over it, so it is never half-written.
class PictureResizer
{
public:
    // True for the extensions handled: .png, .bmp, .jpg, .jpeg (any letter case).
    static bool isPicture(const std::string& path);

    // The new size of a side of `length` pixels scaled by `factor`: rounded, at least 1.
    static int scaledLength(int length, double factor);

    // Returns false with `error` set when `from` cannot be read or `to` written; `to` is
    // then left as it was.
    static bool resize(const std::string& from, const std::string& to, double factorX,
                       double factorY, std::string& error);
};
