// The example-word panel at the right: words that contain the current character, once answered.
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <vector>

#include "data/database.h"
#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/glyph.h"
#include "display/layout.h"
#include "display/text.h"
#include "engine/drawing.h"

namespace {

struct ExampleText {
    QByteArray reading;
    QByteArray translation;
    bool hasReading;
};

// "<reading>" then one separator character then the translation. Any other text has no reading
// and is shown whole as the translation, so a damaged word file entry never reads past its text.
ExampleText SplitExampleText(const WideString& text)
{
    const QByteArray narrow = Narrow(text);
    ExampleText result{QByteArray(), narrow, false};
    if (!narrow.startsWith('<')) return result;
    const qsizetype close = narrow.indexOf('>', 1);
    if (close < 0) return result;
    result.hasReading = true;
    result.reading = narrow.mid(1, close - 1);
    result.translation = close + 2 <= narrow.size() ? narrow.mid(close + 2) : QByteArray();
    return result;
}

// The form drawn for a word character: its simplified form when asked for and known.
std::uint32_t ExampleCode(CharCode code)
{
    if ((App.DisplayOptions & ExamplesSimplified) == 0) return code;
    return App.OtherForm[code] != 0 ? App.OtherForm[code] : code;
}

struct PendingGlyph {
    std::uint32_t code;
    int x;
    int y;
};

// What the last call drew outside the panel: the first reading starts two rows above it, the last
// translation may end two rows below it, a long word's frames run past its right edge.
QRegion Overflow;

}  // namespace

void ShowExamples()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowExamples");
    const QFont bold = PointFont(8, 700);
    const QFont normal = PointFont(8, 400);
    const QImage& frame = FramePicture();
    const Rect& p = ExamplePanel;
    const QRect panel(p.left, p.top, p.right - p.left, p.bottom - p.top);

    // The panel's fill does not reach what the last call drew outside it: the window rebuilds that
    // from its background.
    for (const QRect& spilled : Overflow)
        InvalidateArea(spilled.left(), spilled.top(), spilled.left() + spilled.width(), spilled.top() + spilled.height());
    QRect drawn = panel;

    std::vector<PendingGlyph> glyphs;
    QImage& image = BackingImage();
    {
        QPainter painter(&image);
        PreparePainter(painter);
        FillRectangle(painter, p, PanelYellow);
        const PairNode* node = App.ExampleList.head;
        for (int row = 0; node != nullptr && App.Answered && row < ExampleRows; node = node->next, ++row) {
            // Each word's frames stand side by side from the panel's left edge, its texts to their right.
            const int frameTop = p.top + ExampleRowStep * row;
            const int glyphTop = frameTop + FrameInset;
            const WideString& word = node->pair.first;
            int glyphRight = p.left + FrameInset;  // a word without characters puts its text where a first glyph would be
            for (std::size_t i = 0; i < word.length(); ++i) {
                const int x = p.left + ExamplePitch * static_cast<int>(i) + FrameInset;
                glyphs.push_back({ExampleCode(word[i]), x, glyphTop});
                glyphRight = x + 24;
            }
            const int left = glyphRight + 6;
            const ExampleText text = SplitExampleText(node->pair.second);
            int translationTop = glyphTop - 5;
            if (text.hasReading) {
                TextRect readingRect = {left, glyphTop - 5, p.right, glyphTop + 26};
                DrawText(painter, text.reading, readingRect, DT_WORDBREAK, bold, TextBlack, PanelYellow);
                drawn |= QRect(left, readingRect.top, p.right - left, readingRect.bottom - readingRect.top);
                DrawText(painter, text.reading, readingRect, DT_WORDBREAK | DT_CALCRECT, bold, TextBlack);
                translationTop = readingRect.bottom - 1;
            }
            TextRect translationRect = {left, translationTop, p.right, glyphTop + 36};
            DrawText(painter, text.translation, translationRect, DT_WORDBREAK, normal, TextBlack, PanelYellow);
            drawn |= QRect(left, translationTop, p.right - left, glyphTop + 36 - translationTop);
        }
    }
    // Frames first, then the dots inside them, each written whole after the texts.
    for (const PendingGlyph& pending : glyphs) {
        DrawPictureBlocks(image, frame, pending.x - FrameInset, pending.y - FrameInset);
        std::uint8_t glyph[GlyphBytes];
        ReadGlyph(pending.code, glyph);
        DrawGlyph(image, glyph, pending.x, pending.y, TextBlack);
        drawn |= QRect(pending.x - FrameInset, pending.y - FrameInset, frame.isNull() ? 30 : frame.width(),
                       frame.isNull() ? 30 : frame.height());
    }
    drawn &= QRect(0, 0, DrawingWidth, DrawingHeight);
    Overflow = QRegion(drawn) - QRegion(panel);
    UpdateDrawingArea(drawn.left(), drawn.top(), drawn.left() + drawn.width(), drawn.top() + drawn.height());
}
