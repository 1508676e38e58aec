#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace picture {

enum class Format { none, jpeg, png };

// The format told by the leading bytes: FF D8 is JPEG, the 8-byte PNG signature is PNG.
// Only the signature itself is needed here; decode() is the one that wants at least 8 bytes.
Format sniff_format(std::span<const unsigned char> bytes);

struct Image {
    int width = 0;             // of the decoded pixels (after any DCT scaling)
    int height = 0;
    int source_width = 0;      // of the picture as stored in the file
    int source_height = 0;
    bool has_alpha = false;    // true for PNGs decoded with an alpha channel
    std::vector<std::uint32_t> pixels;  // row-major, 0xAARRGGBB, NOT premultiplied; A = 255 for JPEG
};

// Decodes a JPEG or PNG held in memory. Returns no picture for an empty block, a block under 8 bytes,
// an unrecognised format, a decoding failure or dimensions that would need an absurd amount of memory.
// When target_width and target_height are both > 0 and the picture is a JPEG, the decoder uses libjpeg's
// DCT scaling (scale_num/scale_denom with denom 8, num 1..8) at the SMALLEST scale whose output is still
// at least target_width x target_height (never below the target in either dimension; never above 8/8).
// PNGs ignore the target and decode at full size.
//
// A JPEG whose data is cut short or corrupt is refused rather than shown half grey. CMYK and YCCK
// JPEGs are converted to RGB (Adobe's inverted CMYK convention is assumed when the Adobe marker is
// present). Never throws.
std::optional<Image> decode(std::span<const unsigned char> bytes, int target_width = 0, int target_height = 0);

}  // namespace picture
