#pragma once

#include <QColor>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVector>
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

// Four quadrants: top-left, top-right, bottom-left, bottom-right. Odd sizes
// get the rounded-up chroma planes the decoder makes.
inline std::vector<uint8_t> quadrantFrame(int w, int h, int format, const Colour (&q)[4])
{
    const int cw = (w + 1) / 2;
    const int ch = (h + 1) / 2;
    std::vector<uint8_t> bytes(size_t(w) * h + size_t(cw) * ch * 2);
    uint8_t *luma = bytes.data();
    uint8_t *chroma = luma + w * h;
    auto quadrant = [&](int x, int y) { return q[(y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0)]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            luma[y * w + x] = yuvOf(quadrant(x, y)).y;
    for (int y = 0; y < ch; ++y) {
        for (int x = 0; x < cw; ++x) {
            const Yuv c = yuvOf(quadrant(x * 2, y * 2));
            if (format == 23) {
                chroma[y * cw * 2 + x * 2] = c.u;
                chroma[y * cw * 2 + x * 2 + 1] = c.v;
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

// Reference colours the generator stored beside a recording: the ffmpeg
// tool's RGB at points of its first picture.
struct Sample { QPoint at; QRgb rgb; };
inline QVector<Sample> referenceSamples(const QString &recording)
{
    QFile f(recording + QStringLiteral(".expected.json"));
    QVector<Sample> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QJsonArray bars = QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("bars")).toArray();
    for (const QJsonValue &v : bars) {
        const QJsonArray a = v.toArray();
        out.append({QPoint(a[0].toInt(), a[1].toInt()), qRgb(a[2].toInt(), a[3].toInt(), a[4].toInt())});
    }
    return out;
}

// The samples an image of the picture (scaled to its size) misses by more
// than the tolerance, one "x,y want r,g,b got r,g,b" each; empty when none.
inline QString sampleMismatches(const QImage &image, QSize picture, const QVector<Sample> &samples,
                                int tolerance)
{
    QStringList bad;
    for (const Sample &s : samples) {
        const QPoint p(s.at.x() * image.width() / picture.width(), s.at.y() * image.height() / picture.height());
        const QRgb got = image.pixel(p);
        if (qAbs(qRed(got) - qRed(s.rgb)) > tolerance || qAbs(qGreen(got) - qGreen(s.rgb)) > tolerance
            || qAbs(qBlue(got) - qBlue(s.rgb)) > tolerance)
            bad << QStringLiteral("%1,%2 want %3,%4,%5 got %6,%7,%8")
                       .arg(s.at.x()).arg(s.at.y()).arg(qRed(s.rgb)).arg(qGreen(s.rgb)).arg(qBlue(s.rgb))
                       .arg(qRed(got)).arg(qGreen(got)).arg(qBlue(got));
    }
    return bad.join(QStringLiteral("; "));
}

inline QString mediaFile(const QString &relative)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QLatin1Char('/') + relative;
}

} // namespace componenttest
