// The backing image of the drawing area, the drawing helpers with the original platform's
// rectangle, line and text conventions, and the entry caret.
#include "display/canvas.h"

#include <QFontMetrics>
#include <QHash>
#include <QHashFunctions>
#include <QLabel>
#include <QList>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>


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

int DeviceEdge(int logical, double ratio)
{
    // Rounded as the painter rounds the edges of the rectangles it fills.
    return static_cast<int>(std::floor(logical * ratio + 0.5));
}

QRect DeviceRect(const QRect& logical, double ratio)
{
    const int left = DeviceEdge(logical.left(), ratio);
    const int top = DeviceEdge(logical.top(), ratio);
    return QRect(left, top, DeviceEdge(logical.left() + logical.width(), ratio) - left,
                 DeviceEdge(logical.top() + logical.height(), ratio) - top);
}

void DrawPictureBlocks(QImage& image, const QImage& source, int x, int y)
{
    if (source.isNull()) return;
    const QImage picture = source.format() == QImage::Format_RGB32 ? source
                                                                   : source.convertToFormat(QImage::Format_RGB32);
    const uchar* bits = picture.constBits();
    const qsizetype stride = picture.bytesPerLine();
    DrawBlocks(image, x, y, picture.width(), picture.height(), [bits, stride](int i, int j) {
        return reinterpret_cast<const QRgb*>(bits + j * stride)[i];
    });
}

void DrawBackground(QImage& image, const QRect& area, const QImage* picture)
{
    // Clipped to the device pixels the area's own fills would cover, so that a rebuilt part meets
    // the untouched rest without a seam at any ratio.
    const double ratio = image.devicePixelRatio();
    const QRect device = DeviceRect(area, ratio);
    const bool present = picture != nullptr && !picture->isNull();
    // Unscaled, the program's RGB888 picture is copied pixel for pixel: the painter would convert it
    // on a pool of helper threads, which costs more than the copy.
    const bool copy = present && ratio == 1.0 && picture->format() == QImage::Format_RGB888 &&
                      image.format() == QImage::Format_RGB32;
    if (copy) {
        const QRect copied = device & picture->rect() & image.rect();
        for (int y = copied.top(); y <= copied.bottom(); ++y) {
            const uchar* from = picture->constScanLine(y) + 3 * copied.left();
            auto* to = reinterpret_cast<QRgb*>(image.scanLine(y)) + copied.left();
            for (int x = 0; x < copied.width(); ++x, from += 3) to[x] = qRgb(from[0], from[1], from[2]);
        }
        // The picture covers the drawing area; white shows only where it does not reach.
        if (copied == (device & image.rect())) return;
    }
    QPainter painter(&image);
    PreparePainter(painter);
    if (copy)
        painter.setClipRegion(QRegion(device) - QRegion(picture->rect()));  // logical = device at ratio 1
    else
        painter.setClipRect(QRectF(device.left() / ratio, device.top() / ratio, device.width() / ratio,
                                   device.height() / ratio));
    painter.fillRect(QRect(0, 0, DrawingWidth, DrawingHeight), Qt::white);
    if (!present || copy) return;
    if (ratio == 1.0) {
        painter.drawImage(QPoint(0, 0), *picture);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(0, 0, picture->width(), picture->height()), *picture);
}

QByteArray Narrow(const WideString& text)
{
    return QByteArray(NarrowString(text).c_str());
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
QRegion PendingRegion(0, 0, DrawingWidth, DrawingHeight);
bool InRebuild = false;
QRegion RebuildRegion;
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
    RebuildRegion = PendingRegion;
    PendingRegion = QRegion();
    return RebuildRegion;
}

void EndRebuild()
{
    InRebuild = false;
    RebuildRegion = QRegion();
}

bool RebuildReaches(const QRect& reach)
{
    return !InRebuild || RebuildRegion.intersects(reach);
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

namespace {

// A line at the device's own resolution, one logical pixel wide, from the start pixel up to the
// edge of the end pixel: straight lines as exact rectangles, slanted ones as a narrow band instead
// of a staircase of blocks.
void DrawFineLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& colour)
{
    if (x0 == x1 && y0 == y1) return;
    if (y0 == y1) {
        painter.fillRect(QRect(std::min(x0, x1 + 1), y0, std::abs(x1 - x0), 1), colour);
        return;
    }
    if (x0 == x1) {
        painter.fillRect(QRect(x0, std::min(y0, y1 + 1), 1, std::abs(y1 - y0)), colour);
        return;
    }
    const QPointF start(x0 + 0.5, y0 + 0.5);
    const QPointF end(x1 + 0.5, y1 + 0.5);
    const QPointF step = end - start;
    const double length = std::hypot(step.x(), step.y());
    const QPointF half = step / length * 0.5;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QLineF(start - half, end - half));
    painter.restore();
}

}  // namespace

namespace {

// The image a painter draws on, when whatever it would fill with an opaque colour it may as well
// set straight in the image: 32-bit pixels at ratio 1, no transform, clip, blending or opacity.
QImage* PlainImage(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
    QImage* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) || !image->isDetached() ||
        image->devicePixelRatio() != 1.0 || !painter.transform().isIdentity() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0)
        return nullptr;
    return image;
}

}  // namespace

void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& colour)
{
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    if (ratio != 1.0) {
        DrawFineLine(painter, x0, y0, x1, y1, colour);
        return;
    }
    // A one-pixel fill of an opaque colour sets that pixel: without a clip the pixels are set
    // directly, which costs far less than a fill each.
    QImage* image = colour.alpha() == 255 && !painter.hasClipping() ? PlainImage(painter) : nullptr;
    const QRgb value = colour.rgba();
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
        if (image == nullptr)
            painter.fillRect(QRect(x, y, 1, 1), colour);
        else if (image->rect().contains(x, y))
            reinterpret_cast<QRgb*>(image->scanLine(y))[x] = value;
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

// Measures text in one font and remembers what it measured. Shaping text is the costliest part
// of drawing, and the same texts are measured over and over: the layout pass and the drawing pass
// of one call, and the rows and examples drawn again at every key.
class TextMeasure {
public:
    explicit TextMeasure(const QFont& font) : metrics_(font), widths_(WidthsOf(font)) {}
    const QFontMetrics& Metrics() const { return metrics_; }
    int Width(const QString& text)
    {
        const auto known = widths_.constFind(text);
        if (known != widths_.constEnd()) return known.value();
        const int width = metrics_.horizontalAdvance(text);
        widths_.insert(text, width);
        return width;
    }

private:
    static QHash<QString, int>& WidthsOf(const QFont& font)
    {
        // Every font of the program is made by PixelFont: a family, a pixel size, a weight and
        // a hinting preference tell them apart (QFont::key would cost as much as a measurement).
        static QHash<QString, QHash<QString, int>> byFont;
        const QString key = QStringLiteral("%1/%2/%3/%4/%5")
                                .arg(font.family())
                                .arg(font.pixelSize())
                                .arg(font.weight())
                                .arg(static_cast<int>(font.hintingPreference()))
                                .arg(font.italic() ? 1 : 0);
        QHash<QString, int>& widths = byFont[key];
        // Bounded: a long session meets new texts at every character.
        if (widths.size() > 4096) widths.clear();
        return widths;
    }
    QFontMetrics metrics_;
    QHash<QString, int>& widths_;
};

// Splits the text into the lines DrawText would draw: one line for DT_SINGLELINE, otherwise at
// line ends and, with DT_WORDBREAK, at the last blank that keeps a line inside 'width'.
QList<QString> LayoutLines(const QString& text, unsigned flags, TextMeasure& measure, int width)
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
            if (!line.isEmpty() && measure.Width(candidate) > width && wordEnd > blanksEnd) {
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

namespace {

// What tells fonts apart as far as drawing text goes (QFont::key would cost as much as a
// measurement).
struct FontKey {
    QString family;
    int pixelSize;
    double pointSize;
    int weight;
    int hinting;
    int strategy;
    bool italic;
    bool kerning;
    bool operator==(const FontKey&) const = default;
};

FontKey KeyOf(const QFont& font)
{
    return {font.family(), font.pixelSize(), font.pointSizeF(), font.weight(), static_cast<int>(font.hintingPreference()),
            static_cast<int>(font.styleStrategy()), font.italic(), font.kerning()};
}

size_t qHash(const FontKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.family, key.pixelSize, key.pointSize, key.weight, key.hinting, key.strategy, key.italic,
                      key.kerning);
}

// A text laid out for one font, one set of layout flags and one rectangle width.
struct LayoutKey {
    FontKey font;
    unsigned flags;
    int width;
    QByteArray text;
    bool operator==(const LayoutKey&) const = default;
};

size_t qHash(const LayoutKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.flags, key.width, key.text);
}

struct TextLayout {
    int ascent;
    int lineHeight;
    QList<QString> lines;
    QList<int> widths;
};

// One drawn line of text in one font and colour, kept as the pixels its glyphs set, for images at
// ratio 1. A line whose drawing blends pixels is never copied and is always drawn as text.
struct LineKey {
    FontKey font;
    QRgb colour;
    QString line;
    bool operator==(const LineKey&) const = default;
};

size_t qHash(const LineKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.colour, key.line);
}

struct LinePicture {
    QImage pixels;  // one bit a pixel over the glyphs' extent: clear, or the pen colour
    QPoint origin;  // where the line's start on its baseline lies in 'pixels'
    bool copied = false;  // the line can be copied from it (with nothing to copy for blanks)
};

// Bounded: a long session meets new texts at every character.
template <typename Key, typename Value>
Value& Remembered(QHash<Key, Value>& cache, const Key& key, bool& found)
{
    auto known = cache.find(key);
    found = known != cache.end();
    if (found) return known.value();
    if (cache.size() >= 4096) cache.clear();
    return cache[key];
}

const TextLayout& LayoutOf(const QByteArray& text, unsigned flags, const QFont& font, const FontKey& fontKey, int width)
{
    static QHash<LayoutKey, TextLayout> layouts;
    const unsigned layoutFlags = flags & (DT_SINGLELINE | DT_WORDBREAK);
    bool found = false;
    TextLayout& layout = Remembered(layouts, LayoutKey{fontKey, layoutFlags, width, text}, found);
    if (found) return layout;
    TextMeasure measure(font);
    const QFontMetrics& metrics = measure.Metrics();
    layout.ascent = metrics.ascent();
    layout.lineHeight = metrics.ascent() + metrics.descent();
    layout.lines = LayoutLines(QString::fromLatin1(text), layoutFlags, measure, width);
    for (const QString& line : layout.lines) layout.widths.append(measure.Width(line));
    return layout;
}

// The image lines are drawn on before they are kept: one for the run, so that its paint engine is
// made once.
QImage& ScratchImage(int width, int height)
{
    static QImage scratch;
    if (scratch.width() < width || scratch.height() < height)
        scratch = QImage(std::max({width, scratch.width(), 256}), std::max({height, scratch.height(), 48}),
                         QImage::Format_ARGB32_Premultiplied);
    return scratch;
}

// The glyphs of a line drawn on their own: at ratio 1 the same glyphs at a whole-pixel offset set
// the same pixels, so the picture stands for the line wherever it starts.
const LinePicture& PictureOf(const QString& line, const QFont& font, const FontKey& fontKey, const QColor& colour,
                             int ascent, int lineHeight, int width)
{
    static QHash<LineKey, LinePicture> pictures;
    bool found = false;
    LinePicture& picture = Remembered(pictures, LineKey{fontKey, colour.rgba(), line}, found);
    if (found) return picture;
    // The line alone with room around it for glyphs that reach past its cell; nothing is drawn
    // beyond the room, and a glyph that reaches its edge leaves the line to the painter.
    const int margin = lineHeight / 2 + 2;
    const int columns = width + 2 * margin;
    const int rows = lineHeight + 2 * margin;
    QImage& scratch = ScratchImage(columns, rows);
    for (int y = 0; y < rows; ++y) std::fill_n(reinterpret_cast<QRgb*>(scratch.scanLine(y)), columns, 0u);
    {
        QPainter painter(&scratch);
        PreparePainter(painter);
        painter.setClipRect(QRect(0, 0, columns, rows));
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPoint(margin, margin + ascent), line);
    }
    const QRgb ink = qPremultiply(colour.rgba());
    int left = columns, right = -1, top = rows, bottom = -1;
    for (int y = 0; y < rows; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        const bool border = y == 0 || y == rows - 1;
        for (int x = 0; x < columns; ++x) {
            if (row[x] == 0) continue;
            // Blended edges, or glyphs that may run past the room: left to the painter.
            if (row[x] != ink || border || x == 0 || x == columns - 1) return picture;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    picture.copied = true;
    if (right < 0) return picture;  // blanks only
    // Kept as one bit a pixel over the glyphs' extent: a long session meets thousands of lines.
    QImage bits(right - left + 1, bottom - top + 1, QImage::Format_Mono);
    bits.setColorTable({0u, ink});
    bits.fill(0);
    for (int y = top; y <= bottom; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        uchar* line = bits.scanLine(y - top);
        for (int x = left; x <= right; ++x)
            if (row[x] != 0) line[(x - left) >> 3] |= static_cast<uchar>(0x80 >> ((x - left) & 7));
    }
    picture.pixels = bits;
    picture.origin = QPoint(margin - left, margin + ascent - top);
    return picture;
}

// Sets the picture's pixels with its top left at 'at' within 'clip', straight into the image the
// painter draws on, as drawImage would: every pixel of the picture is clear or fully the pen
// colour. Returns false, having drawn nothing, when the painter's state asks for more than that.
bool CopyInto(QPainter& painter, const LinePicture& picture, const QPoint& at, const QRect& clip)
{
    QImage* plain = PlainImage(painter);
    if (plain == nullptr) return false;
    QImage& image = *plain;
    const QRgb ink = picture.pixels.color(1);
    const QRect area = QRect(at, picture.pixels.size()) & clip & image.rect();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* source = picture.pixels.constScanLine(y - at.y());
        QRgb* target = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x = area.left(); x <= area.right(); ++x) {
            const int i = x - at.x();
            if (source[i >> 3] & (0x80 >> (i & 7))) target[x] = ink;
        }
    }
    return true;
}

}  // namespace

bool CopyDrawnLines = true;

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
    const FontKey fontKey = KeyOf(font);
    const int width = rect.right - rect.left;
    const TextLayout& layout = LayoutOf(text, flags, font, fontKey, width);
    const int lineHeight = layout.lineHeight;
    const int textHeight = lineHeight * static_cast<int>(layout.lines.size());

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (int lineWidth : layout.widths) widest = std::max(widest, lineWidth);
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

    // At ratio 1 with no transform the glyphs land on whole pixels wherever the line starts, so a
    // line drawn once is copied from then on instead of being shaped and drawn again.
    const bool copyLines = CopyDrawnLines && colour.alpha() == 255 && painter.device() != nullptr &&
                           painter.device()->devicePixelRatio() == 1.0 && painter.transform().isIdentity();
    // Copies are written straight into the image inside the text's own rectangle, which needs
    // the whole clip to be that rectangle.
    const bool ownClip = !painter.hasClipping();
    const QRect clip(rect.left, rect.top, std::max(0, width), std::max(0, rect.bottom - rect.top));
    painter.save();
    PreparePainter(painter);
    // Within whatever clip the caller has set already.
    painter.setClipRect(clip, ownClip ? Qt::ReplaceClip : Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(colour);
    for (qsizetype k = 0; k < layout.lines.size(); ++k) {
        const QString& line = layout.lines[k];
        const int lineWidth = layout.widths[k];
        int x = rect.left;
        if (flags & DT_CENTER) x = rect.left + (width - lineWidth) / 2;
        if (background.isValid()) painter.fillRect(QRect(x, y, lineWidth, lineHeight), background);
        const QPoint baseline(x, y + layout.ascent);
        const LinePicture* picture =
            copyLines ? &PictureOf(line, font, fontKey, colour, layout.ascent, lineHeight, lineWidth) : nullptr;
        if (picture == nullptr || !picture->copied)
            painter.drawText(baseline, line);
        else if (!picture->pixels.isNull() && !(ownClip && CopyInto(painter, *picture, baseline - picture->origin, clip)))
            painter.drawImage(baseline - picture->origin, picture->pixels);
        y += lineHeight;
        if (y >= rect.bottom) break;  // every later line is clipped away anyway
    }
    painter.restore();
    return result;
}

void ReturnFocusToDrawingArea()
{
    if (DrawingWidget == nullptr || !DrawingWidget->isVisible()) return;
    QWidget* window = DrawingWidget->window();
    window->activateWindow();
    DrawingWidget->setFocus(Qt::OtherFocusReason);
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
    const QRect area = exposed.intersected(QRect(0, 0, DrawingWidth, DrawingHeight));
    if (area.isEmpty()) return;
    // The image has the window's ratio, so it is copied one device pixel to one; the painter
    // clips to what was exposed.
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.drawImage(QPoint(0, 0), image);
    painter.restore();
    if (!caretOn || !CaretVisible()) return;
    const QRect caret = CaretRect().intersected(area);
    if (caret.isEmpty()) return;
    const double ratio = image.devicePixelRatio();
    const QRect device = DeviceRect(caret, ratio);
    QImage inverted = image.copy(device);
    inverted.invertPixels();
    inverted.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(device.left() / ratio, device.top() / ratio), inverted);
}
