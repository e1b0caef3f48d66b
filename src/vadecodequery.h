#pragma once

#include <QString>

// What the platform's decode interface (VA-API) answers about H.264 and
// H.265 decoding on one render node.
class VaDecodeQuery
{
public:
    struct Codec
    {
        bool decode = false;  // a profile of the codec has a VLD entry point
        int maxWidth = 0;     // 0: the driver does not report a limit
        int maxHeight = 0;

        // True when the driver decodes a picture of this size.
        bool fits(int width, int height) const;
    };

    // False when no render node was found or the driver could not be asked.
    bool answered = false;
    QString renderNode;  // empty when none exists
    QString status;      // "ok" or why nothing was answered
    QString driver;      // the driver's vendor string
    Codec h264;
    Codec h265;

    // Asks the first render node below root ("/dev/dri/renderD*").
    static VaDecodeQuery query(const QString &root);

    // codec: 1 for H.264, 2 for H.265, as the playlist numbers them.
    bool decodes(int codec, int width, int height) const;

private:
    void ask(int fd);
};
