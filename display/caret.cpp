// Owns the entry caret: its one state, the areas it updates, and its inverted pixels on the screen.
#include "display/caret.h"

#include <QPainter>
#include <QWidget>

#include "display/canvas.h"

namespace {

// The one caret of the window: hidden when created, shown by ShowCaret, gone after RemoveCaret.
struct CaretState {
    bool exists = false;
    bool shown = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
CaretState Caret;

void UpdateCaretArea()
{
    if (Caret.exists) UpdateDrawingArea(Caret.x, Caret.y, Caret.x + Caret.width, Caret.y + Caret.height);
}

}  // namespace

void CreateCaret(int width, int height)
{
    UpdateCaretArea();
    Caret = CaretState();
    Caret.exists = true;
    Caret.width = width;
    Caret.height = height;
}

void SetCaretPos(int x, int y)
{
    if (!Caret.exists) return;
    UpdateCaretArea();
    Caret.x = x;
    Caret.y = y;
    UpdateCaretArea();
}

void ShowCaret()
{
    if (!Caret.exists) return;
    Caret.shown = true;
    UpdateCaretArea();
}

void RemoveCaret()
{
    UpdateCaretArea();
    Caret = CaretState();
}

bool CaretVisible()
{
    return Caret.exists && Caret.shown;
}

QRect CaretRect()
{
    if (!Caret.exists) return QRect();
    return QRect(Caret.x, Caret.y, Caret.width, Caret.height);
}

void PaintCaret(QPainter& painter, const QRect& exposed)
{
    if (!CaretVisible()) return;
    const QRect caret = CaretRect().intersected(exposed).intersected(QRect(0, 0, DrawingWidth, DrawingHeight));
    if (caret.isEmpty()) return;
    const QImage& image = BackingImage();
    const double ratio = image.devicePixelRatio();
    const QRect device = DeviceRect(caret, ratio);
    QImage inverted = image.copy(device);
    inverted.invertPixels();
    inverted.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(device.left() / ratio, device.top() / ratio), inverted);
}

void ReturnFocusToDrawingArea()
{
    if (DrawingWidget == nullptr || !DrawingWidget->isVisible()) return;
    DrawingWidget->window()->activateWindow();
    DrawingWidget->setFocus(Qt::OtherFocusReason);
}
