#pragma once

#include <cstdint>

struct SwsContext;

namespace TrackoraActiveX {

struct HFrame;

// Turns the player's YUV420P or NV12 pictures into 32-bit RGB rows (B, G, R,
// A in memory, QImage::Format_RGB32 here) by the matrix and range the
// picture signals: libyuv where its constants are exact, libswscale where
// they are not. One per control; GUI thread.
class CFFRgbConverter
{
public:
    CFFRgbConverter() = default;
    CFFRgbConverter(const CFFRgbConverter &) = delete;
    CFFRgbConverter &operator=(const CFFRgbConverter &) = delete;
    ~CFFRgbConverter();

    // rgb holds width * height * 4 bytes. False for another pixel format.
    bool convert(const HFrame &frame, uint8_t *rgb);

private:
    SwsContext *scaler = nullptr;
};

} // namespace TrackoraActiveX
