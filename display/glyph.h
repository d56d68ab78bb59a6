// The dot painter shared by the glyph box and the example words.
#pragma once
#include <QColor>
#include <cstdint>
#include "data/types.h"

class QImage;

// Paints the 24x24 dots with the top-left dot at (x, y): set dots in 'ink', clear dots white, each
// dot a whole block of device pixels, row by row. A null bitmap draws nothing.
void DrawGlyph(QImage& image, const std::uint8_t* glyph, int x, int y, const QColor& ink);

// The rectangle covered by the frame or frames of the last ShowChar; all zero before the first.
extern Rect GlyphArea;

// The glyph frame picture (30x30, yellow corners), decoded at the first call and kept; a null
// image when the resource is missing, in which case callers draw the glyphs without frames.
const QImage& FramePicture();
// The up and down words beside the level number, decoded once like the frame.
const QImage& UpPicture();
const QImage& DownPicture();
