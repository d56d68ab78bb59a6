// The dot painter shared by the glyph box and the example words.
#include "display/glyph.h"

#include <QImage>
#include <algorithm>

#include "display/canvas.h"

void DrawGlyph(QImage& image, const std::uint8_t* glyph, int x, int y, const QColor& ink)
{
    if (glyph == nullptr || image.isNull()) return;
    const double ratio = image.devicePixelRatio();
    const QRgb colours[2] = {qRgb(255, 255, 255), ink.rgb()};
    // Each dot is a block of device pixels; the blocks' edges are those of the painter's fills.
    int edges[25];
    for (int i = 0; i <= 24; ++i) edges[i] = DeviceEdge(x + i, ratio);
    const int firstColumn = std::max(edges[0], 0);
    const int endColumn = std::min(edges[24], image.width());
    // One dot row is expanded once into a device row and then written to each device line of it.
    QRgb line[24 * 16];
    const int lineWidth = edges[24] - edges[0];
    if (lineWidth > static_cast<int>(sizeof line / sizeof line[0])) return;
    for (int j = 0; j < 24; ++j) {
        const int top = std::max(DeviceEdge(y + j, ratio), 0);
        const int bottom = std::min(DeviceEdge(y + j + 1, ratio), image.height());
        if (top >= bottom) continue;
        const std::uint8_t* row = glyph + 3 * j;
        for (int i = 0; i < 24; ++i) {
            const QRgb colour = colours[(row[i / 8] >> (7 - i % 8)) & 1];
            for (int dx = edges[i]; dx < edges[i + 1]; ++dx) line[dx - edges[0]] = colour;
        }
        for (int dy = top; dy < bottom; ++dy) {
            QRgb* pixels = reinterpret_cast<QRgb*>(image.scanLine(dy));
            for (int dx = firstColumn; dx < endColumn; ++dx) pixels[dx] = line[dx - edges[0]];
        }
    }
}
