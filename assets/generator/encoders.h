// Writes painted pictures to disk through libpng and libjpeg directly, so the
// file layout (colour type, chroma sampling, marker segments) is exactly what
// the program's catalogue promises and does not depend on Qt's image plugins.
#pragma once

#include <QImage>
#include <QString>

namespace generator {

enum class PngColour {
    Rgb,   // colour type 2
    Rgba,  // colour type 6
};

enum class JpegLayout {
    // JFIF APP0 marker, luma sampled 2x2, chroma 1x1 (4:2:0).
    Jfif420,
    // Adobe APP14 marker instead of JFIF, every component sampled 1x1 (4:4:4).
    Adobe444,
};

// Both return false (after printing why) when the file cannot be written.
// The PNG writer refuses an RGBA picture that is meant to be opaque but has
// a pixel with alpha below 255, so such a mistake never reaches the program.
bool write_png(const QImage& image, PngColour colour, bool must_be_opaque, const QString& path);
bool write_jpeg(const QImage& image, JpegLayout layout, int quality, const QString& path);

}  // namespace generator
