// A PNG file of 24-bit pixels, for the driver's screenshots: stored (not
// compressed) deflate blocks, which every reader takes and which need no
// library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace framework::win32::automation {

// `rgb` holds width * height pixels, rows top down, three bytes each.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace framework::win32::automation
