// The picture files compiled into the program. The definitions are generated
// at build time by embed_pictures.cmake; only picture_catalogue.cpp reads
// them, everything else goes through picture_catalogue.h.
#pragma once

#include <cstddef>
#include <string_view>

namespace assets::embedded {

struct File {
    std::string_view name;    // file name without extension, e.g. "setup-page"
    std::string_view format;  // file extension: "png" or "jpg"
    const unsigned char* data;
    std::size_t size;
};

extern const File files[];
extern const std::size_t file_count;

// The wallpapers in program-constant form (count 1, byte count, bytes); their
// files[] entries point into these same arrays.
extern const unsigned char wallpaper_initial_constant[];
extern const unsigned char wallpaper_installed_constant[];

}  // namespace assets::embedded
