// asset-generator: paints every picture the trainer shows and writes them,
// together with the program icon in the usual hicolor sizes.
//
//   asset-generator <output-dir>
//
// writes <output-dir>/pictures/<name>.{jpg,png} and
// <output-dir>/icons/hicolor/<N>x<N>/apps/reinstall-trainer.png.
// The output depends only on this code and the installed fonts, so running it
// again gives the same bytes.

#include "encoders.h"
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

namespace {

using namespace generator;

struct Picture {
    const char* name;
    std::function<QImage()> paint;
    // JPEG pictures name a layout, PNG pictures a colour type.
    enum class Format { Jpeg, Png } format;
    JpegLayout jpeg = JpegLayout::Jfif420;
    PngColour png = PngColour::Rgb;
    bool opaque = true;
};

// Quality 90 keeps the thin streaks and small text clean without making the
// 4K wallpaper heavy.
constexpr int jpeg_quality = 90;

bool write(const Picture& picture, const QDir& dir) {
    const QImage image = picture.paint();
    if (picture.format == Picture::Format::Jpeg) {
        const QString path = dir.filePath(QString::fromLatin1(picture.name) + QStringLiteral(".jpg"));
        return write_jpeg(image, picture.jpeg, jpeg_quality, path);
    }
    const QString path = dir.filePath(QString::fromLatin1(picture.name) + QStringLiteral(".png"));
    return write_png(image, picture.png, picture.opaque, path);
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a QGuiApplication, but nothing here needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-dir>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QDir pictures(root.filePath(QStringLiteral("pictures")));
    if (!root.mkpath(QStringLiteral("pictures"))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(pictures.path()));
        return 1;
    }

    using F = Picture::Format;
    const Picture catalogue[] = {
        {"wallpaper-initial", paint_wallpaper_initial, F::Jpeg, JpegLayout::Jfif420},
        {"wallpaper-installed", paint_wallpaper_installed, F::Jpeg, JpegLayout::Adobe444},
        {"icon-usb-tool", paint_icon_usb_tool, F::Png, {}, PngColour::Rgb},
        {"icon-install-notes", paint_icon_install_notes, F::Png, {}, PngColour::Rgba},
        {"icon-ghost-image", paint_icon_ghost_image, F::Jpeg, JpegLayout::Jfif420},
        {"taskbar-tray", paint_taskbar_tray, F::Png, {}, PngColour::Rgba},
        {"icon-forum-client", paint_icon_forum_client, F::Png, {}, PngColour::Rgb},
        {"pe-background", paint_pe_background, F::Png, {}, PngColour::Rgb},
        {"icon-browser", paint_icon_browser, F::Png, {}, PngColour::Rgba},
        {"icon-system-installer", paint_icon_system_installer, F::Png, {}, PngColour::Rgba},
        {"setup-page", paint_setup_page, F::Jpeg, JpegLayout::Jfif420},
        {"program-icon", [] { return paint_program_icon(128); }, F::Png, {}, PngColour::Rgba, false},
    };

    bool ok = true;
    for (const Picture& picture : catalogue) {
        if (!write(picture, pictures)) {
            std::fprintf(stderr, "failed to write %s\n", picture.name);
            ok = false;
        }
    }

    for (int size : {16, 32, 48, 128, 256}) {
        const QString sub = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        if (!root.mkpath(sub)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(root.filePath(sub)));
            ok = false;
            continue;
        }
        const QString path = root.filePath(sub + QStringLiteral("/reinstall-trainer.png"));
        if (!write_png(paint_program_icon(size), PngColour::Rgba, false, path)) ok = false;
    }
    return ok ? 0 : 1;
}
