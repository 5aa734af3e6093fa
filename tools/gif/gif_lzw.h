// The variable-length-code LZW compression of GIF image data.
#pragma once

#include <cstdint>
#include <vector>

namespace gif {

// Codes packed least significant bit first; no sub-block framing.
// minCodeSize is the value written before the image data (2 to 8).
std::vector<uint8_t> CompressLzw(const std::vector<uint8_t>& indices, int minCodeSize);

}  // namespace gif
