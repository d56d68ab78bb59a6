// The example-word panel at the right: words that contain the current character, once answered.
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "data/database.h"
#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/glyph.h"
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
    // The panel, the texts that spill above and below it and the frames of long words.
    if (!RebuildReaches(QRect(320, 0, DrawingWidth - 320, DrawingHeight))) return;
    const QFont bold = PointFont(8, 700);
    const QFont normal = PointFont(8, 400);
    const QImage& frame = FramePicture();
    const QRect panel(325, 25, 580 - 325, 370 - 25);

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
        FillRectangle(painter, 325, 25, 580, 370, PanelYellow);
        int d = 3;
        for (const PairNode* node = App.ExampleList.head; node != nullptr && App.Answered && d < 355;
             node = node->next, d += 44) {
            const WideString& word = node->pair.first;
            int glyphRight = 328;  // a word without characters puts its text where a first glyph would be
            for (std::size_t i = 0; i < word.length(); ++i) {
                const int x = 328 + 29 * static_cast<int>(i);
                glyphs.push_back({ExampleCode(word[i]), x, 25 + d});
                glyphRight = x + 24;
            }
            const int left = glyphRight + 6;
            const ExampleText text = SplitExampleText(node->pair.second);
            int translationTop = 25 + d - 5;
            if (text.hasReading) {
                TextRect readingRect = {left, 25 + d - 5, 580, 51 + d};
                DrawText(painter, text.reading, readingRect, DT_WORDBREAK, bold, TextBlack, PanelYellow);
                drawn |= QRect(left, readingRect.top, 580 - left, readingRect.bottom - readingRect.top);
                DrawText(painter, text.reading, readingRect, DT_WORDBREAK | DT_CALCRECT, bold, TextBlack);
                translationTop = readingRect.bottom - 1;
            }
            TextRect translationRect = {left, translationTop, 580, 51 + d + 10};
            DrawText(painter, text.translation, translationRect, DT_WORDBREAK, normal, TextBlack, PanelYellow);
            drawn |= QRect(left, translationTop, 580 - left, 51 + d + 10 - translationTop);
        }
    }
    // Frames first, then the dots inside them, each written whole after the texts.
    // Every word holds the current character: each glyph is read once for the whole panel.
    std::vector<std::pair<std::uint32_t, std::array<std::uint8_t, GlyphBytes>>> read;
    for (const PendingGlyph& pending : glyphs) {
        DrawPictureBlocks(image, frame, pending.x - 3, pending.y - 3);
        auto known = std::find_if(read.begin(), read.end(), [&](const auto& entry) { return entry.first == pending.code; });
        if (known == read.end()) {
            read.emplace_back(pending.code, std::array<std::uint8_t, GlyphBytes>());
            known = read.end() - 1;
            ReadGlyph(pending.code, known->second.data());
        }
        DrawGlyph(image, known->second.data(), pending.x, pending.y, TextBlack);
        drawn |= QRect(pending.x - 3, pending.y - 3, frame.isNull() ? 30 : frame.width(),
                       frame.isNull() ? 30 : frame.height());
    }
    drawn &= QRect(0, 0, DrawingWidth, DrawingHeight);
    Overflow = QRegion(drawn) - QRegion(panel);
    UpdateDrawingArea(drawn.left(), drawn.top(), drawn.left() + drawn.width(), drawn.top() + drawn.height());
}
