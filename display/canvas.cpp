// Owns the backing image and its rebuild, and the fills, lines and pixel blocks drawn into it.
#include "display/canvas.h"

#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QWidget>
#include <cassert>
#include <cmath>
#include <cstdlib>

QWidget* DrawingWidget = nullptr;
QLabel* StatusParts[3] = {nullptr, nullptr, nullptr};

namespace {

QImage BlankImage(double ratio)
{
    QImage blank(DeviceEdge(DrawingWidth, ratio), DeviceEdge(DrawingHeight, ratio), QImage::Format_RGB32);
    blank.setDevicePixelRatio(ratio);
    blank.fill(Qt::white);
    return blank;
}

const QRect WholeArea(0, 0, DrawingWidth, DrawingHeight);

}  // namespace

QImage& BackingImage()
{
    static QImage image = BlankImage(1.0);
    return image;
}

double DrawingRatio()
{
    return BackingImage().devicePixelRatio();
}

void SetDrawingRatio(double ratio)
{
    // Below 1 the painter draws as at 1; a tiny or broken ratio is taken as 1.
    if (!(ratio >= 1.0) || ratio > 16.0) ratio = 1.0;
    if (ratio == DrawingRatio()) return;
    BackingImage() = BlankImage(ratio);
    MarkForRebuild();
}

QRect DeviceRect(const QRect& logical, double ratio)
{
    const int left = DeviceEdge(logical.left(), ratio);
    const int top = DeviceEdge(logical.top(), ratio);
    return QRect(left, top, DeviceEdge(logical.left() + logical.width(), ratio) - left,
                 DeviceEdge(logical.top() + logical.height(), ratio) - top);
}

void UpdateDrawingArea(int left, int top, int right, int bottom)
{
    if (DrawingWidget == nullptr || right <= left || bottom <= top) return;
    // At a fractional ratio the window may round a logical rectangle to fewer device pixels than
    // were drawn; one logical pixel more on every side covers the difference.
    const double ratio = DrawingRatio();
    const int more = ratio == std::floor(ratio) ? 0 : 1;
    DrawingWidget->update(QRect(left - more, top - more, right - left + 2 * more, bottom - top + 2 * more));
}

namespace {
QRegion PendingRegion(WholeArea);
bool InRebuild = false;
}  // namespace

void InvalidateArea(int left, int top, int right, int bottom)
{
    if (DrawingWidget == nullptr || right <= left || bottom <= top) return;
    const QRect area(left, top, right - left, bottom - top);
    MarkForRebuild(area);
    DrawingWidget->update(area);
}

void MarkForRebuild()
{
    MarkForRebuild(WholeArea);
}

void MarkForRebuild(const QRect& area)
{
    if (InRebuild) return;
    PendingRegion += area.intersected(WholeArea);
}

bool RebuildPending()
{
    return !PendingRegion.isEmpty();
}

QRegion BeginRebuild()
{
    // A rebuild never starts inside another: the drawing operations it runs only draw.
    assert(!InRebuild);
    InRebuild = true;
    const QRegion region = PendingRegion;
    PendingRegion = QRegion();
    return region;
}

void EndRebuild()
{
    InRebuild = false;
}

void DrawBackground(QImage& image, const QRect& area, const QImage* picture)
{
    QPainter painter(&image);
    PreparePainter(painter);
    // Clipped to the device pixels the area's own fills would cover, so that a rebuilt part meets
    // the untouched rest without a seam at any ratio.
    const double ratio = image.devicePixelRatio();
    const QRect device = DeviceRect(area, ratio);
    painter.setClipRect(QRectF(device.left() / ratio, device.top() / ratio, device.width() / ratio,
                               device.height() / ratio));
    painter.fillRect(WholeArea, Qt::white);
    if (picture == nullptr || picture->isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio != 1.0);
    painter.drawImage(QRectF(0, 0, picture->width(), picture->height()), *picture);
}

void PaintDrawingArea(QPainter& painter, const QRect& exposed)
{
    const QRect area = exposed.intersected(WholeArea);
    if (area.isEmpty()) return;
    // The image has the window's ratio, so it is copied one device pixel to one; the painter
    // clips to what was exposed.
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.drawImage(QPoint(0, 0), BackingImage());
    painter.restore();
}

void PreparePainter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void FillRectangle(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    if (right <= left || bottom <= top) return;
    painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
}

void FillRectangle(QPainter& painter, const Rect& area, const QColor& colour)
{
    FillRectangle(painter, area.left, area.top, area.right, area.bottom, colour);
}

void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& colour)
{
    // Straight lines are one rectangle, from the start pixel up to the end pixel.
    if (y0 == y1) {
        painter.fillRect(QRect(std::min(x0, x1 + 1), y0, std::abs(x1 - x0), 1), colour);
        return;
    }
    if (x0 == x1) {
        painter.fillRect(QRect(x0, std::min(y0, y1 + 1), 1, std::abs(y1 - y0)), colour);
        return;
    }
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    if (ratio != 1.0) {
        // At the device's own resolution, one logical pixel wide, from the start pixel up to the
        // edge of the end pixel: a narrow band instead of a staircase of blocks.
        const QPointF start(x0 + 0.5, y0 + 0.5);
        const QPointF end(x1 + 0.5, y1 + 0.5);
        const QPointF step = end - start;
        const QPointF half = step / std::hypot(step.x(), step.y()) * 0.5;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QLineF(start - half, end - half));
        painter.restore();
        return;
    }
    // Plotted pixel by pixel so that the end point is left out exactly as LineTo does, whatever
    // the pen and cap rules of the paint engine are.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        painter.fillRect(QRect(x, y, 1, 1), colour);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void DrawPictureBlocks(QImage& image, const QImage& picture, int x, int y)
{
    if (picture.isNull()) return;
    // Read as 32-bit pixels: the pictures are decoded to the backing image's own format.
    assert(picture.format() == QImage::Format_RGB32);
    const uchar* bits = picture.constBits();
    const qsizetype stride = picture.bytesPerLine();
    DrawBlocks(image, x, y, picture.width(), picture.height(),
               [bits, stride](int i, int j) { return reinterpret_cast<const QRgb*>(bits + j * stride)[i]; });
}
