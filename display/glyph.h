// The dot painter shared by the glyph box and the example words.
#pragma once
#include <QColor>
#include <cstdint>

class QImage;

// Paints the 24x24 dots with the top-left dot at (x, y): set dots in 'ink', clear dots white.
// A null bitmap draws nothing.
void DrawGlyph(QImage& image, const std::uint8_t* glyph, int x, int y, const QColor& ink);
