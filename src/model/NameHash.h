#pragma once

#include <cstdint>
#include <string_view>

// The 32-bit name hash that identifies scenes and elements in the style file and
// decides sibling name clashes. The name is upper-cased (ASCII letters) first; then,
// starting from 0, for every byte b: h = h * 16777619 (mod 2^32), h ^= b.
// The empty name hashes to 0.
std::uint32_t NameHash(std::string_view name);
