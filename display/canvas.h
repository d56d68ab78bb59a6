// The drawing area's backing image, its rebuild, and the fills, lines and pixel blocks drawn into it
// with the original platform's conventions: rectangles exclude their right and bottom edges, lines
// exclude their end point.
#pragma once
#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

#include "display/layout.h"

class QLabel;
class QPainter;
class QRect;
class QRegion;
class QWidget;

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
// Rounded as the painter rounds the edges of the rectangles it fills.
inline int DeviceEdge(int logical, double ratio)
{
    return static_cast<int>(std::floor(logical * ratio + 0.5));
}
QRect DeviceRect(const QRect& logical, double ratio);

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

// Fills the rectangle of the image with white and draws 'picture' over it at its natural size from
// the top left, scaled smoothly when the image has more device pixels than logical ones.
void DrawBackground(QImage& image, const QRect& area, const QImage* picture);

// Copies the exposed part of the backing image to the screen, one device pixel to one.
void PaintDrawingArea(QPainter& painter, const QRect& exposed);

// Colours used across the panels.
const QColor PanelYellow(255, 255, 0);
const QColor PanelGrey(212, 208, 200);
const QColor TextBlack(0, 0, 0);

// A painter on the backing image with antialiasing off.
void PreparePainter(QPainter& painter);
// Fills (left, top, right, bottom), right and bottom excluded.
void FillRectangle(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour);
void FillRectangle(QPainter& painter, const Rect& area, const QColor& colour);
// A one-pixel line from (x0, y0) towards (x1, y1), the end point excluded.
void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& colour);

// Writes a width x height grid of logical pixels with its top left at (x, y), each as a whole block
// of device pixels with the edges of the painter's fills, clipped to the image; colourAt(i, j) gives
// the colour of column i in row j. Each row is written once and copied to its other device lines.
template <typename ColourAt>
void DrawBlocks(QImage& image, int x, int y, int width, int height, ColourAt colourAt)
{
    if (image.isNull() || width <= 0 || height <= 0) return;
    const double ratio = image.devicePixelRatio();
    std::vector<int> edges(static_cast<std::size_t>(width) + 1);
    for (int i = 0; i <= width; ++i) edges[i] = std::clamp(DeviceEdge(x + i, ratio), 0, image.width());
    for (int j = 0; j < height; ++j) {
        const int top = std::max(DeviceEdge(y + j, ratio), 0);
        const int bottom = std::min(DeviceEdge(y + j + 1, ratio), image.height());
        if (top >= bottom) continue;
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(top));
        for (int i = 0; i < width; ++i) {
            const QRgb colour = colourAt(i, j);
            for (int dx = edges[i]; dx < edges[i + 1]; ++dx) line[dx] = colour;
        }
        for (int dy = top + 1; dy < bottom; ++dy)
            std::copy(line + edges[0], line + edges[width], reinterpret_cast<QRgb*>(image.scanLine(dy)) + edges[0]);
    }
}

// Copies a small picture (glyph frame, up/down words) with its top left at (x, y), each pixel as a
// whole block of device pixels, clipped to the image.
void DrawPictureBlocks(QImage& image, const QImage& picture, int x, int y);
