#pragma once

#include <cstddef>
#include <vector>

namespace model {

// Removes the items at `indices` (any order, repeats and indices past the end ignored) and keeps
// the order of the rest.
template <typename T>
void EraseIndices(std::vector<T>& items, const std::vector<std::size_t>& indices)
{
    std::vector<bool> removed(items.size(), false);
    for (const std::size_t index : indices) {
        if (index < removed.size()) {
            removed[index] = true;
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!removed[i]) {
            if (kept != i) {
                items[kept] = std::move(items[i]);
            }
            ++kept;
        }
    }
    items.resize(kept);
}

} // namespace model
