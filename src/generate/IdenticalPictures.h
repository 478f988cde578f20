#pragma once

#include <cstddef>
#include <vector>

class APStyleProject;

namespace generate {

// Finds the registered pictures whose pixels are the same under different names: each file is
// decoded as the packer decodes it (to 8-bit ARGB) and compared pixel for pixel.
class IdenticalPictures
{
public:
    // Groups of two or more registry positions, each group in registry order, the groups in
    // the order of their first member. Files that cannot be decoded belong to no group.
    static std::vector<std::vector<std::size_t>> Find(const APStyleProject& project);
};

} // namespace generate
