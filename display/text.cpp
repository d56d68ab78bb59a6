// Owns the program's text: its fonts, and DrawText's line breaking, placement and opaque cells.
#include "display/text.h"

#include <QFontMetrics>
#include <QHash>
#include <QList>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <utility>

#include "display/canvas.h"

QByteArray Narrow(const WideString& text)
{
    return QByteArray(NarrowString(text).c_str());
}

QFont PixelFont(int pixels, int weight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels > 0 ? pixels : 1);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    // Bitmap-like text as the original drew it: no smoothing, no kerning, full hinting (where a
    // logical pixel is a device pixel, see FontForDevice). The bold face's hints thin its stems to one pixel at these sizes, so that it looks no different
    // from the normal face; unhinted it keeps its two-pixel stems.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(weight >= 700 ? QFont::PreferNoHinting : QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

QFont PointFont(int points, int weight)
{
    const int pixels = static_cast<int>(LogPixelsY * points / 72.0 + 0.5);
    return PixelFont(pixels, weight);
}

namespace {

// The font as text is drawn with it on a device of the given pixel ratio.
QFont FontForDevice(const QFont& font, double ratio)
{
    if (ratio == 1.0) return font;
    // Hints fit each glyph and its advance to whole pixels of the size they are made for. On a
    // device with more pixels than logical ones the glyphs are made at the device's size, while
    // the line is still laid out with the advances fitted at the logical size: the normal face's
    // "w" advances 10 logical pixels for a glyph of 8, and "the whole" reads "the w hole". Unhinted,
    // glyphs and advances agree at every size.
    QFont unhinted = font;
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    return unhinted;
}

// Splits the text into the lines DrawText would draw: one line for DT_SINGLELINE, otherwise at
// line ends and, with DT_WORDBREAK, at the last blank that keeps a line inside 'width'.
QList<QString> LayoutLines(const QString& text, unsigned flags, const QFontMetrics& metrics, int width)
{
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    if (flags & DT_SINGLELINE) return {plain.replace(QLatin1Char('\n'), QLatin1Char(' '))};
    QList<QString> lines;
    for (const QString& paragraph : plain.split(QLatin1Char('\n'))) {
        if (!(flags & DT_WORDBREAK)) {
            lines.append(paragraph);
            continue;
        }
        // Greedy filling; blanks where a line breaks are dropped, a word wider than the
        // rectangle stands alone on its line and is clipped.
        QString line;
        qsizetype pos = 0;
        const qsizetype length = paragraph.size();
        do {
            qsizetype blanksEnd = pos;
            while (blanksEnd < length && paragraph[blanksEnd] == QLatin1Char(' ')) ++blanksEnd;
            qsizetype wordEnd = blanksEnd;
            while (wordEnd < length && paragraph[wordEnd] != QLatin1Char(' ')) ++wordEnd;
            const QString candidate = line + paragraph.mid(pos, wordEnd - pos);
            if (!line.isEmpty() && wordEnd > blanksEnd && metrics.horizontalAdvance(candidate) > width) {
                lines.append(line);
                line = paragraph.mid(blanksEnd, wordEnd - blanksEnd);
            } else {
                line = candidate;
            }
            pos = wordEnd;
        } while (pos < length);
        lines.append(line);
    }
    return lines;
}

// A text laid out in one font, with one set of line-breaking flags, for one rectangle width.
struct LayoutKey {
    QFont font;
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
    QList<QString> lines;
    QList<int> widths;
    int ascent;
    int lineHeight;
};

// Breaking text into lines measures it word by word, which costs more than drawing it, and the
// same texts come back at every key: the rows, their labels, the level number and the scale. The
// layouts of the latest texts are kept; QFont compares every property that shapes text.
const TextLayout& LayoutOf(const QByteArray& text, unsigned flags, const QFont& font, int width)
{
    static QHash<LayoutKey, TextLayout> kept;
    LayoutKey key{font, flags & (DT_SINGLELINE | DT_WORDBREAK), width, text};
    const auto known = kept.constFind(key);
    if (known != kept.constEnd()) return *known;
    // Bounded: a long session meets new texts at every character.
    if (kept.size() >= 1024) kept.clear();
    const QFontMetrics metrics(font);
    TextLayout layout{LayoutLines(QString::fromLatin1(text), key.flags, metrics, width), {}, metrics.ascent(),
                      metrics.ascent() + metrics.descent()};
    for (const QString& line : layout.lines) layout.widths.append(metrics.horizontalAdvance(line));
    return *kept.insert(std::move(key), std::move(layout));
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
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    const QFont used = FontForDevice(font, ratio);
    const int width = rect.right - rect.left;
    const TextLayout& layout = LayoutOf(text, flags, used, width);
    const QList<QString>& lines = layout.lines;
    const QList<int>& widths = layout.widths;
    const int lineHeight = layout.lineHeight;
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if (flags & DT_CALCRECT) {
        rect.right = rect.left + *std::max_element(widths.begin(), widths.end());
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
    const QRect clip(rect.left, rect.top, std::max(0, width), std::max(0, rect.bottom - rect.top));
    painter.setClipRect(clip, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.setFont(used);
    painter.setPen(colour);
    for (qsizetype k = 0; k < lines.size() && y < rect.bottom; ++k, y += lineHeight) {
        const int x = flags & DT_CENTER ? rect.left + (width - widths[k]) / 2 : rect.left;
        if (background.isValid()) painter.fillRect(QRect(x, y, widths[k], lineHeight), background);
        painter.drawText(QPoint(x, y + layout.ascent), lines[k]);
    }
    painter.restore();
    return result;
}
