// The drawing area's backing image and the drawing helpers that keep the original platform's
// conventions: rectangles exclude their right and bottom edges, lines exclude their end point,
// fonts are sized in points at 96 dots per inch, text is drawn with DrawText-style flags.
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <algorithm>
#include <vector>

#include "data/strings.h"

class QLabel;
class QRect;
class QRegion;
class QPainter;
class QWidget;

constexpr int DrawingWidth = 600;
constexpr int DrawingHeight = 380;
constexpr int LogPixelsY = 96;

// Set by the window layer; while it is null every drawing operation does nothing.
extern QWidget* DrawingWidget;
// The three parts of the status bar (widths 135, 265, 250); set by the window layer.
extern QLabel* StatusParts[3];

// The backing image, RGB32: DrawingWidth x DrawingHeight logical pixels at the screen's device
// pixel ratio r, so r times as many device pixels each way. Drawing operations paint into it in
// logical coordinates with their own short-lived painter and then call UpdateDrawingArea for
// what they changed.
QImage& BackingImage();
void UpdateDrawingArea(int left, int top, int right, int bottom);

// The device pixel ratio of the backing image. Setting a new one starts a blank (white) image of
// the new size and marks it all for rebuilding.
double DrawingRatio();
void SetDrawingRatio(double ratio);
// The device pixel where a logical coordinate starts at the given ratio; a logical pixel x covers
// the device pixels from DeviceEdge(x) up to DeviceEdge(x + 1), the same as the painter's fills.
int DeviceEdge(int logical, double ratio);
QRect DeviceRect(const QRect& logical, double ratio);

// Writes a width x height grid of logical pixels with its top left at (x, y), each as a whole block
// of device pixels with the edges of the painter's fills, clipped to the image; colourAt(i, j) gives
// the colour of column i in row j. Each row is expanded once and copied to its device lines.
template <typename ColourAt>
void DrawBlocks(QImage& image, int x, int y, int width, int height, ColourAt colourAt)
{
    if (image.isNull() || width <= 0 || height <= 0) return;
    const double ratio = image.devicePixelRatio();
    if (ratio == 1.0) {
        // One device pixel per logical one: each colour goes straight to its pixel.
        const int firstColumn = std::max(x, 0);
        const int endColumn = std::min(x + width, image.width());
        uchar* bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        for (int j = std::max(0, -y); j < height && y + j < image.height(); ++j) {
            QRgb* pixels = reinterpret_cast<QRgb*>(bits + (y + j) * stride);
            for (int dx = firstColumn; dx < endColumn; ++dx) pixels[dx] = colourAt(dx - x, j);
        }
        return;
    }
    std::vector<int> edges(static_cast<std::size_t>(width) + 1);
    for (int i = 0; i <= width; ++i) edges[i] = DeviceEdge(x + i, ratio);
    const int firstColumn = std::max(edges[0], 0);
    const int endColumn = std::min(edges[width], image.width());
    std::vector<QRgb> line(static_cast<std::size_t>(edges[width] - edges[0]));
    for (int j = 0; j < height; ++j) {
        const int top = std::max(DeviceEdge(y + j, ratio), 0);
        const int bottom = std::min(DeviceEdge(y + j + 1, ratio), image.height());
        if (top >= bottom) continue;
        for (int i = 0; i < width; ++i) {
            const QRgb colour = colourAt(i, j);
            for (int dx = edges[i]; dx < edges[i + 1]; ++dx) line[dx - edges[0]] = colour;
        }
        for (int dy = top; dy < bottom; ++dy) {
            QRgb* pixels = reinterpret_cast<QRgb*>(image.scanLine(dy));
            for (int dx = firstColumn; dx < endColumn; ++dx) pixels[dx] = line[dx - edges[0]];
        }
    }
}

// Copies a small picture (glyph frame, up/down words) with its top left at (x, y), each pixel as a
// whole block of device pixels, clipped to the image. At ratio 1 a plain copy.
void DrawPictureBlocks(QImage& image, const QImage& picture, int x, int y);
// Fills the rectangle of the image with 'background' and draws 'picture' over it at its natural
// size from the top left, scaled smoothly when the image has more device pixels than logical ones.
void DrawBackground(QImage& image, const QRect& area, const QImage* picture);

// Parts of the backing image to be rebuilt (background and all drawing) at the next paint.
// Invalidates a rectangle (right and bottom excluded) so the next paint rebuilds it.
void InvalidateArea(int left, int top, int right, int bottom);
void MarkForRebuild();
void MarkForRebuild(const QRect& area);
bool RebuildPending();
// Hands out the region to rebuild and forgets it; marks made until EndRebuild are ignored, since
// the drawing done by the rebuild itself must not start another.
QRegion BeginRebuild();
void EndRebuild();
// False while a rebuild runs whose region misses 'reach', everything a drawing operation may paint:
// its last drawing there is still whole and the background went elsewhere, so the operation
// leaves it as it is. True outside a rebuild.
bool RebuildReaches(const QRect& reach);

// Colours used across the panels.
const QColor PanelYellow(255, 255, 0);
const QColor PanelGrey(212, 208, 200);
const QColor TextBlack(0, 0, 0);

// The 8-bit text the program draws: each 16-bit unit narrowed to its low byte.
QByteArray Narrow(const WideString& text);

// A painter on the backing image with antialiasing off.
void PreparePainter(QPainter& painter);

// Fills (left, top, right, bottom), right and bottom excluded.
void FillRectangle(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour);
// A one-pixel line from (x0, y0) towards (x1, y1), the end point excluded.
void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& colour);

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

// At ratio 1 a line of text drawn once is copied from then on rather than shaped and drawn again
// (the same pixels); a test switches this off to compare with plain drawing.
extern bool CopyDrawnLines;

// Draws 8-bit text in the rectangle with the flags, clipped to it; when 'background' is valid the
// text's cells are filled with it first (opaque mode). With DT_CALCRECT nothing is drawn and the
// rectangle is set to the measured one. Returns the height of the text drawn or measured.
int DrawText(QPainter& painter, const QByteArray& text, TextRect& rect, unsigned flags,
             const QFont& font, const QColor& colour, const QColor& background = QColor());

// Gives the keyboard back to the drawing area once a dialog or message box has closed, so that
// the next answer can be typed at once, whatever the window manager activates then.
void ReturnFocusToDrawingArea();

// Caret of the entry rows: one per window, a new one replaces the old.
void CreateCaret(int width, int height);
void SetCaretPos(int x, int y);
void ShowCaret();
// Removes the caret; the engine reaches it as DestroyCaret through the window services.
void RemoveCaret();
bool CaretVisible();
QRect CaretRect();
// Copies the exposed part of the backing image and, when 'caretOn', the caret inverted over it.
void PaintDrawingArea(QPainter& painter, const QRect& exposed, bool caretOn);
