// The program's text: fonts sized in points at 96 dots per inch, and one DrawText with the original
// platform's flags.
#pragma once
#include <QByteArray>
#include <QColor>
#include <QFont>

#include "data/strings.h"

class QPainter;

constexpr int LogPixelsY = 96;

// The 8-bit text the program draws: each 16-bit unit narrowed to its low byte.
QByteArray Narrow(const WideString& text);

// Font "Arial" of p points: pixel height trunc(LogPixelsY * p / 72 + 0.5), weight 400 or 700.
QFont PointFont(int points, int weight);
// Font "Arial" with a fixed cell height in pixels.
QFont PixelFont(int pixels, int weight);

// DrawText flags, as on the original platform.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_CALCRECT = 0x400;

struct TextRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Draws 8-bit text in the rectangle with the flags, clipped to it; when 'background' is valid the
// text's cells are filled with it first (opaque mode). With DT_CALCRECT nothing is drawn and the
// rectangle is set to the measured one. Returns the height of the text drawn or measured. The
// font's hints apply only where a logical pixel is one device pixel of the painter's device.
int DrawText(QPainter& painter, const QByteArray& text, TextRect& rect, unsigned flags,
             const QFont& font, const QColor& colour, const QColor& background = QColor());
