// The glyph box: the current character, or its simplified and traditional forms side by side.
#include <QImage>
#include <QPainter>
#include <utility>

#include "data/database.h"
#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/glyph.h"
#include "engine/drawing.h"

Rect GlyphArea = {0, 0, 0, 0};

void ShowChar()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowChar");
    // The boxes of either form, and the box they replace.
    if (!RebuildReaches(QRect(80, 10, 80, 50))) return;
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
    const bool both = simplified && valid && std::as_const(App.CharTable)[code].ShowBoth != 0;
    if (erased.left != 0) {
        QPainter painter(&image);
        PreparePainter(painter);
        FillRectangle(painter, erased.left, erased.top, erased.right, erased.bottom, PanelYellow);
    }
    if (both) {
        DrawPictureBlocks(image, frame, 84, 17);
        DrawPictureBlocks(image, frame, 113, 17);
    } else {
        DrawPictureBlocks(image, frame, 97, 17);
    }
    if (both) {
        DrawGlyph(image, otherGlyph, 87, 20, Qt::black);
        DrawGlyph(image, mainGlyph, 116, 20, Qt::black);
        GlyphArea = {87 - 3, 20 - 3, 116 + frameWidth - 3, 20 + frameHeight - 3};
    } else {
        DrawGlyph(image, simplified ? otherGlyph : mainGlyph, 100, 20, Qt::black);
        GlyphArea = {97, 17, 100 + frameWidth - 3, 20 + frameHeight - 3};
    }
    if (erased.left != 0) UpdateDrawingArea(erased.left, erased.top, erased.right, erased.bottom);
    UpdateDrawingArea(GlyphArea.left, GlyphArea.top, GlyphArea.right, GlyphArea.bottom);
}
