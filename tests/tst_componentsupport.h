#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdint>
#include <vector>

// Pictures with known colour areas, laid out as the player core hands them
// over: tightly packed YUV420P (format 0) or NV12 (format 23).
namespace componenttest {

enum Colour { Red, Green, Blue, White, Black, Other };

inline const char *colourName(Colour c)
{
    static const char *const names[] = {"red", "green", "blue", "white", "black", "other"};
    return names[c];
}

// BT.601 limited-range values of the pure colours.
struct Yuv { uint8_t y, u, v; };
inline Yuv yuvOf(Colour c)
{
    switch (c) {
    case Red: return {81, 90, 240};
    case Green: return {145, 54, 34};
    case Blue: return {41, 240, 110};
    case White: return {235, 128, 128};
    default: return {16, 128, 128};
    }
}

// Four quadrants: top-left, top-right, bottom-left, bottom-right.
inline std::vector<uint8_t> quadrantFrame(int w, int h, int format, const Colour (&q)[4])
{
    std::vector<uint8_t> bytes(size_t(w) * h * 3 / 2);
    uint8_t *luma = bytes.data();
    uint8_t *chroma = luma + w * h;
    auto quadrant = [&](int x, int y) { return q[(y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0)]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            luma[y * w + x] = yuvOf(quadrant(x, y)).y;
    const int cw = w / 2;
    const int ch = h / 2;
    for (int y = 0; y < ch; ++y) {
        for (int x = 0; x < cw; ++x) {
            const Yuv c = yuvOf(quadrant(x * 2, y * 2));
            if (format == 23) {
                chroma[y * w + x * 2] = c.u;
                chroma[y * w + x * 2 + 1] = c.v;
            } else {
                chroma[y * cw + x] = c.u;
                chroma[cw * ch + y * cw + x] = c.v;
            }
        }
    }
    return bytes;
}

inline Colour classify(QRgb p)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    auto high = [](int v) { return v > 170; };
    auto low = [](int v) { return v < 90; };
    if (high(r) && high(g) && high(b))
        return White;
    if (r < 40 && g < 40 && b < 40)
        return Black;
    if (high(r) && low(g) && low(b))
        return Red;
    if (low(r) && high(g) && low(b))
        return Green;
    if (low(r) && low(g) && high(b))
        return Blue;
    return Other;
}

// Colours at the centres of the four quadrants of an image.
inline QString quadrantColours(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    QStringList names;
    for (QPoint p : {QPoint(w / 4, h / 4), QPoint(3 * w / 4, h / 4), QPoint(w / 4, 3 * h / 4),
                     QPoint(3 * w / 4, 3 * h / 4)})
        names << colourName(classify(image.pixel(p)));
    return names.join(QLatin1Char(' '));
}

inline bool allBlack(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (classify(image.pixel(x, y)) != Black)
                return false;
    return !image.isNull();
}

inline QString mediaFile(const QString &relative)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QLatin1Char('/') + relative;
}

} // namespace componenttest
