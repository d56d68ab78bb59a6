// The dot painter shared by the glyph box and the example words.
#include "display/glyph.h"

#include <QImage>

#include "display/canvas.h"

void DrawGlyph(QImage& image, const std::uint8_t* glyph, int x, int y, const QColor& ink)
{
    if (glyph == nullptr) return;
    const QRgb colours[2] = {qRgb(255, 255, 255), ink.rgb()};
    DrawBlocks(image, x, y, 24, 24, [&](int i, int j) { return colours[(glyph[3 * j + i / 8] >> (7 - i % 8)) & 1]; });
}
