#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace imaging {

// Why the picture decoder could not read `data`, worded for a message: for a PNG what its
// chunks show (cut short at a byte, a bad header, a kind that does not exist), else the
// decoder's own reason. Never empty. Call it right after the decoder failed on this thread.
std::string decodeFailureReason(const std::uint8_t* data, std::size_t size);

} // namespace imaging
