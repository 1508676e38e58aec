#include "picture_catalogue.h"

#include "embedded_pictures.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace assets {

namespace {

// Catalogue order: the two wallpapers, then the pictures roughly in the order
// the learner meets them.
constexpr std::string_view catalogue[] = {
    "wallpaper-initial",
    "wallpaper-installed",
    "icon-usb-tool",
    "icon-install-notes",
    "icon-ghost-image",
    "taskbar-tray",
    "icon-forum-client",
    "pe-background",
    "icon-browser",
    "icon-system-installer",
    "setup-page",
    "program-icon",
};

std::uint32_t read_le32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

// Plain addresses of the generated arrays, so both constants are ready before
// any dynamic initialisation runs.
const unsigned char* const wallpaper_initial = embedded::wallpaper_initial_constant;
const unsigned char* const wallpaper_installed = embedded::wallpaper_installed_constant;

PictureBytes picture(std::string_view name) {
    if (std::find(std::begin(catalogue), std::end(catalogue), name) == std::end(catalogue)) return {};
    for (std::size_t i = 0; i < embedded::file_count; ++i) {
        const embedded::File& file = embedded::files[i];
        if (file.name == name) return {file.data, file.size};
    }
    return {};
}

std::span<const std::string_view> picture_names() {
    return catalogue;
}

PictureBytes bytes_of_constant(const unsigned char* constant) {
    if (constant == nullptr || read_le32(constant) != 1) return {};
    return {constant + 8, read_le32(constant + 4)};
}

}  // namespace assets
