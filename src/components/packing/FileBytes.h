#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// Reads the whole file at `path` into `bytes` with one allocation of the
// file's size (reading byte by byte through a stream buffer costs more than
// decoding a small picture). Returns false when it cannot be opened or read.
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

} // namespace packing
