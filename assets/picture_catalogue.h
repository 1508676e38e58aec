// The pictures the trainer shows, carried inside the program.
//
// Every picture has a catalogue name ("wallpaper-initial", "setup-page", ...)
// and is kept as the bytes of its JPEG or PNG file; decoding is up to the
// caller. The files themselves are painted by assets/generator and embedded
// at build time.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace assets {

struct PictureBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// The picture of the catalogue with this name ("wallpaper-initial", ...); empty when unknown.
PictureBytes picture(std::string_view name);

// Every catalogue name, in catalogue order.
std::span<const std::string_view> picture_names();

// The two wallpapers as program constants in byte-array form, little-endian:
// 32-bit unsigned dimension count (1), 32-bit unsigned byte count, then the JPEG bytes.
extern const unsigned char* const wallpaper_initial;
extern const unsigned char* const wallpaper_installed;

// Reads that byte-array form back into the bytes it holds (empty if the count is not 1).
PictureBytes bytes_of_constant(const unsigned char* constant);

}  // namespace assets
