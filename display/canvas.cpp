// The backing image of the drawing area, the drawing helpers with the original platform's
// rectangle, line and text conventions, and the entry caret.
#include "display/canvas.h"

#include <QFontMetrics>
#include <QLabel>
#include <QList>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cstdlib>


QWidget* DrawingWidget = nullptr;
QLabel* StatusParts[3] = {nullptr, nullptr, nullptr};

QImage& BackingImage()
{
    static QImage image = [] {
        QImage blank(DrawingWidth, DrawingHeight, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }();
    return image;
}

QByteArray Narrow(const WideString& text)
{
    return QByteArray(NarrowString(text).c_str());
}

void UpdateDrawingArea(int left, int top, int right, int bottom)
{
    if (DrawingWidget == nullptr || right <= left || bottom <= top) return;
    DrawingWidget->update(QRect(left, top, right - left, bottom - top));
}

namespace {
QRegion PendingRegion(0, 0, DrawingWidth, DrawingHeight);
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
    MarkForRebuild(QRect(0, 0, DrawingWidth, DrawingHeight));
}

void MarkForRebuild(const QRect& area)
{
    if (InRebuild) return;
    PendingRegion += area.intersected(QRect(0, 0, DrawingWidth, DrawingHeight));
}

bool RebuildPending()
{
    return !PendingRegion.isEmpty();
}

QRegion BeginRebuild()
{
    InRebuild = true;
    const QRegion region = PendingRegion;
    PendingRegion = QRegion();
    return region;
}

void EndRebuild()
{
    InRebuild = false;
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

void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& colour)
{
    // Plotted by hand so that the end point is left out exactly as LineTo does, whatever the
    // pen and cap rules of the paint engine are.
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        painter.fillRect(QRect(x, y, 1, 1), colour);
        int doubled = 2 * error;
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

QFont PixelFont(int pixels, int weight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels > 0 ? pixels : 1);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    // Bitmap-like text as the original drew it: no smoothing, no kerning, full hinting. The
    // bold face's hints thin its stems to one pixel at these sizes, so that it looks no different
    // from the normal face; unhinted it keeps its two-pixel stems.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(weight >= 700 ? QFont::PreferNoHinting : QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

QFont PointFont(int points, int weight)
{
    int pixels = static_cast<int>(LogPixelsY * points / 72.0 + 0.5);
    return PixelFont(pixels, weight);
}

namespace {

// Splits the text into the lines DrawText would draw: one line for DT_SINGLELINE, otherwise at
// line ends and, with DT_WORDBREAK, at the last blank that keeps a line inside 'width'.
QList<QString> LayoutLines(const QString& text, unsigned flags, const QFontMetrics& metrics, int width)
{
    QList<QString> lines;
    if (flags & DT_SINGLELINE) {
        QString line = text;
        line.remove(QLatin1Char('\r'));
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines.append(line);
        return lines;
    }
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    const QList<QString> paragraphs = plain.split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        if (!(flags & DT_WORDBREAK)) {
            lines.append(paragraph);
            continue;
        }
        // Greedy filling; blanks where a line breaks are dropped, a word wider than the
        // rectangle stands alone on its line and is clipped.
        QString line;
        int pos = 0;
        const int length = paragraph.size();
        bool first = true;
        while (pos < length || first) {
            first = false;
            int blanksEnd = pos;
            while (blanksEnd < length && paragraph[blanksEnd] == QLatin1Char(' ')) ++blanksEnd;
            int wordEnd = blanksEnd;
            while (wordEnd < length && paragraph[wordEnd] != QLatin1Char(' ')) ++wordEnd;
            QString candidate = line + paragraph.mid(pos, wordEnd - pos);
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width && wordEnd > blanksEnd) {
                lines.append(line);
                line = paragraph.mid(blanksEnd, wordEnd - blanksEnd);
            } else {
                line = candidate;
            }
            pos = wordEnd;
        }
        lines.append(line);
    }
    return lines;
}

}  // namespace

int DrawText(QPainter& painter, const QByteArray& text, TextRect& rect, unsigned flags,
             const QFont& font, const QColor& colour, const QColor& background)
{
    if (text.isEmpty()) {
        if (flags & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top;
        }
        return 0;
    }
    const QString wide = QString::fromLatin1(text);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.ascent() + metrics.descent();
    const int width = rect.right - rect.left;
    const QList<QString> lines = LayoutLines(wide, flags, metrics, width);
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
        rect.right = rect.left + widest;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }

    int y = rect.top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) {
            y = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
        } else if (flags & DT_BOTTOM) {
            y = rect.bottom - lineHeight;
        }
    }
    const int result = (flags & (DT_VCENTER | DT_BOTTOM)) && (flags & DT_SINGLELINE) ? y - rect.top + textHeight
                                                                                      : textHeight;

    painter.save();
    PreparePainter(painter);
    // Within whatever clip the caller has set already.
    painter.setClipRect(QRect(rect.left, rect.top, std::max(0, width), std::max(0, rect.bottom - rect.top)),
                        painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.setFont(font);
    painter.setPen(colour);
    for (const QString& line : lines) {
        const int lineWidth = metrics.horizontalAdvance(line);
        int x = rect.left;
        if (flags & DT_CENTER) x = rect.left + (width - lineWidth) / 2;
        if (background.isValid()) painter.fillRect(QRect(x, y, lineWidth, lineHeight), background);
        painter.drawText(QPoint(x, y + metrics.ascent()), line);
        y += lineHeight;
        if (y >= rect.bottom) break;  // every later line is clipped away anyway
    }
    painter.restore();
    return result;
}

// The one caret of the window: hidden when created, shown by ShowCaret, gone after RemoveCaret.
namespace {
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

void PaintDrawingArea(QPainter& painter, const QRect& exposed, bool caretOn)
{
    const QImage& image = BackingImage();
    const QRect area = exposed.intersected(image.rect());
    if (area.isEmpty()) return;
    painter.drawImage(area.topLeft(), image, area);
    if (!caretOn || !CaretVisible()) return;
    const QRect caret = CaretRect().intersected(area);
    if (caret.isEmpty()) return;
    QImage inverted = image.copy(caret);
    inverted.invertPixels();
    painter.drawImage(caret.topLeft(), inverted);
}
