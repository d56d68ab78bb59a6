// The glyph box: the current character, or its simplified and traditional forms side by side.
#include <QImage>
#include <QPainter>

#include "data/database.h"
#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/glyph.h"
#include "display/layout.h"
#include "engine/drawing.h"

Rect GlyphArea = {0, 0, 0, 0};

void ShowChar()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowChar");
    QImage& image = BackingImage();
    const Rect erased = GlyphArea;

    const QImage& frame = FramePicture();
    // Without the picture the glyphs still go to their places, and the area keeps its usual size.
    const int frameWidth = frame.isNull() ? 30 : frame.width();
    const int frameHeight = frame.isNull() ? 30 : frame.height();

    std::uint8_t mainGlyph[GlyphBytes];
    std::uint8_t otherGlyph[GlyphBytes];
    // A code out of the table's range has no glyph and no record: it shows as an empty box.
    const bool valid = App.CurrentChar >= 0 && App.CurrentChar < CodeCount;
    const std::uint32_t code = valid ? static_cast<std::uint32_t>(App.CurrentChar) : 0xFFFFu;
    // A code without a database record has no other form; it stands for itself.
    const std::uint32_t other = valid && App.OtherForm[code] != 0 ? App.OtherForm[code] : code;
    ReadGlyph(code, mainGlyph);
    ReadGlyph(other, otherGlyph);

    const bool simplified = (App.DisplayOptions & CharsSimplified) != 0;
    const bool both = simplified && valid && App.CharTable[code].ShowBoth != 0;
    if (erased.left != 0) {
        QPainter painter(&image);
        PreparePainter(painter);
        FillRectangle(painter, erased.left, erased.top, erased.right, erased.bottom, PanelYellow);
    }
    // The right frame, copied second, owns the column the two share.
    const int glyphTop = FrameTop + FrameInset;
    if (both) {
        DrawPictureBlocks(image, frame, LeftFrameLeft, FrameTop);
        DrawPictureBlocks(image, frame, RightFrameLeft, FrameTop);
        DrawGlyph(image, otherGlyph, LeftFrameLeft + FrameInset, glyphTop, Qt::black);
        DrawGlyph(image, mainGlyph, RightFrameLeft + FrameInset, glyphTop, Qt::black);
        GlyphArea = {LeftFrameLeft, FrameTop, RightFrameLeft + frameWidth, FrameTop + frameHeight};
    } else {
        DrawPictureBlocks(image, frame, SingleFrameLeft, FrameTop);
        DrawGlyph(image, simplified ? otherGlyph : mainGlyph, SingleFrameLeft + FrameInset, glyphTop, Qt::black);
        GlyphArea = {SingleFrameLeft, FrameTop, SingleFrameLeft + frameWidth, FrameTop + frameHeight};
    }
    if (erased.left != 0) UpdateDrawingArea(erased.left, erased.top, erased.right, erased.bottom);
    UpdateDrawingArea(GlyphArea.left, GlyphArea.top, GlyphArea.right, GlyphArea.bottom);
}
