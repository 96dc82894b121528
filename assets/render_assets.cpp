// Renders the pictures of the program from their SVG sources in src/ into
// the files the program compiles in. Run it after changing a source:
//   cmake --build build --target render_assets && ./build/assets/render_assets assets
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

enum class Format { Jpeg, GreyJpeg, Bmp256, Png };

struct Asset {
    const char* source;
    const char* output;  // without extension
    int width, height;
    Format format;
    bool sharpCopy;  // also a double-resolution rendition (name@2x)
};

const Asset kAssets[] = {
    {"background", "background", 782, 569, Format::Jpeg, true},
    {"title", "title", 338, 431, Format::Jpeg, true},
    {"type1", "type1", 138, 105, Format::Jpeg, true},
    {"type2", "type2", 139, 105, Format::Jpeg, true},
    {"type3", "type3", 138, 105, Format::Jpeg, true},
    {"type4", "type4", 138, 105, Format::Jpeg, true},
    {"type5", "type5", 138, 105, Format::Jpeg, true},
    {"marker_idle", "marker_idle", 17, 17, Format::Bmp256, true},
    {"marker_lit", "marker_lit", 17, 17, Format::Bmp256, true},
    {"icon", "icon32", 32, 32, Format::Png, false},
    {"icon", "icon64", 64, 64, Format::Png, false},
    {"icon", "icon256", 256, 256, Format::Png, false},
    {"logo", "logo", 319, 61, Format::GreyJpeg, false},
};

bool Render(const QString& dir, const Asset& a, int scale) {
    QSvgRenderer svg(dir + "/src/" + a.source + ".svg");
    if (!svg.isValid()) return false;
    const bool transparent = a.format == Format::Png;
    QImage image(a.width * scale, a.height * scale,
                 transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();

    QString name = dir + "/" + a.output + (scale > 1 ? "@2x" : "");
    switch (a.format) {
        case Format::Jpeg: return image.save(name + ".jpg", "JPEG", 92);
        case Format::GreyJpeg: return image.convertToFormat(QImage::Format_Grayscale8).save(name + ".jpg", "JPEG", 95);
        case Format::Bmp256:
            return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).save(name + ".bmp", "BMP");
        case Format::Png: return image.save(name + ".png", "PNG");
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    int failures = 0;
    for (const Asset& a : kAssets) {
        for (int scale = 1; scale <= (a.sharpCopy ? 2 : 1); ++scale) {
            if (!Render(dir, a, scale)) {
                std::fprintf(stderr, "cannot render %s\n", a.source);
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
