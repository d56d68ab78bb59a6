// The dot painter shared by the glyph box and the example words.
#include "display/glyph.h"

#include <QImage>

void DrawGlyph(QImage& image, const std::uint8_t* glyph, int x, int y, const QColor& ink)
{
    if (glyph == nullptr) return;
    const QRgb inkRgb = ink.rgb();
    const QRgb paper = qRgb(255, 255, 255);
    for (int i = 0; i < 24; ++i) {
        const int px = x + i;
        if (px < 0 || px >= image.width()) continue;
        for (int j = 0; j < 24; ++j) {
            const int py = y + j;
            if (py < 0 || py >= image.height()) continue;
            const bool set = (glyph[3 * j + i / 8] >> (7 - i % 8)) & 1;
            image.setPixel(px, py, set ? inkRgb : paper);
        }
    }
}
