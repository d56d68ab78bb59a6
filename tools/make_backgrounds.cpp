// Paints the two background pictures of the drawing area and writes them as JPEG files:
//   make_backgrounds <folder>  ->  <folder>/bktrain_de.jpg, <folder>/bkexam_de.jpg
// Both are 600x380 with the same layout: cards in the panel yellow behind the glyph box (a tab
// hanging from the top edge), the entry rows, the exam chart and the example words; the level bar
// lies between the cards on a paper that tells the modes apart: cool practice paper for training,
// warm paper with a seal's rings for an exam.
//
// The program erases by filling with the panel yellow, so the cards must decode to exactly that
// yellow wherever it fills. A JPEG codes 16x16 blocks on its own (colour is halved in each
// direction), and a block of one flat colour decodes to that colour; only the block's outermost
// pixel row or column borrows colour from its neighbour. So every block the program fills in lies
// wholly inside a card, one pixel clear of that outermost row, and the cards' edges, outlines and
// shadows stay in other blocks. The
// program checks the files it wrote and fails when a filled pixel decodes to anything else.
// The pictures are computed, not random, so every build writes the same files.
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <QRect>
#include <QString>

#include <cmath>
#include <cstdio>

#include "display/layout.h"

namespace {

constexpr int Width = DrawingWidth;
constexpr int Height = DrawingHeight;
const QColor Yellow(255, 255, 0);

struct Style {
    QColor border;  // the cards' outline
    QColor shadow;  // their shadow on the paper
};

// Squares of practice paper: a light frame with a dashed cross through the middle.
void DrawPracticeGrid(QPainter& painter, const QColor& frame, const QColor& cross, int cell)
{
    painter.setPen(QPen(frame, 1));
    for (int x = 0; x <= Width; x += cell)
        painter.drawLine(x, 0, x, Height);
    for (int y = 0; y <= Height; y += cell)
        painter.drawLine(0, y, Width, y);
    QPen dashed(cross, 1, Qt::DashLine);
    painter.setPen(dashed);
    for (int x = cell / 2; x < Width; x += cell)
        painter.drawLine(x, 0, x, Height);
    for (int y = cell / 2; y < Height; y += cell)
        painter.drawLine(0, y, Width, y);
}

// Soft horizontal waves, like brush strokes seen through thin paper.
void DrawWaves(QPainter& painter, const QColor& colour, int count, double amplitude, double phase)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int k = 0; k < count; ++k) {
        QPainterPath path;
        const double base = Height * (k + 1.0) / (count + 1.0);
        // Drawn past both edges, so that no stroke end shows.
        path.moveTo(-40, base + amplitude * std::sin(-40 / 70.0 + phase + k * 1.3));
        for (int x = -36; x <= Width + 40; x += 4)
            path.lineTo(x, base + amplitude * std::sin(x / 70.0 + phase + k * 1.3));
        painter.setPen(QPen(colour, 10 + 4 * (k % 3), Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(path);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// A rectangle with its own radius at each corner: top left, top right, bottom right, bottom left.
QPainterPath RoundedCard(const QRectF& r, double tl, double tr, double br, double bl)
{
    QPainterPath path;
    path.moveTo(r.left() + tl, r.top());
    path.lineTo(r.right() - tr, r.top());
    path.quadTo(r.right(), r.top(), r.right(), r.top() + tr);
    path.lineTo(r.right(), r.bottom() - br);
    path.quadTo(r.right(), r.bottom(), r.right() - br, r.bottom());
    path.lineTo(r.left() + bl, r.bottom());
    path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - bl);
    path.lineTo(r.left(), r.top() + tl);
    path.quadTo(r.left(), r.top(), r.left() + tl, r.top());
    path.closeSubpath();
    return path;
}

// The cards: the glyph box on a tab above the entry rows, the exam chart, the example words.
// Cards run off the picture where they meet its edge, so only their inner sides show an outline;
// a corner is rounded only where no filled block lies.
QPainterPath Cards()
{
    const double out = 8;  // how far a card runs past the picture's edge
    QPainterPath entry = RoundedCard(QRectF(-out, 32, 288 + out, 112), 0, 9, 9, 0);
    // The glyph box hangs on a tab from the top edge: its frames start one row below a block edge.
    QPainterPath tab = RoundedCard(QRectF(80, -out, 80, 40 + out), 0, 0, 0, 0);
    QPainterPath chart = RoundedCard(QRectF(-out, 176, 288 + out, Height - 176 + out), 0, 9, 0, 0);
    QPainterPath examples = RoundedCard(QRectF(304, 16, Width - 304 + out, Height - 16 + out), 9, 0, 0, 0);
    return entry.united(tab).united(chart).united(examples);
}

// A soft shadow down and to the right, a two-pixel outline, then the yellow cards.
QImage Compose(QImage paper, const Style& style)
{
    const QPainterPath cards = Cards();
    QPainter painter(&paper);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int k = 1; k <= 4; ++k) {
        QColor shadow = style.shadow;
        shadow.setAlpha(style.shadow.alpha() / (k + 1));
        painter.fillPath(cards.translated(k * 0.75, k), shadow);
    }
    painter.strokePath(cards, QPen(style.border, 4));
    painter.fillPath(cards, Yellow);
    return paper;
}

QImage TrainingPicture()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, Width, Height);
    sky.setColorAt(0.0, QColor(226, 239, 248));
    sky.setColorAt(1.0, QColor(214, 236, 224));
    painter.fillRect(image.rect(), sky);
    DrawWaves(painter, QColor(206, 228, 236), 4, 14.0, 0.0);
    DrawPracticeGrid(painter, QColor(192, 218, 230), QColor(208, 228, 236), 76);
    painter.end();
    return Compose(image, {QColor(46, 110, 150), QColor(20, 60, 90, 90)});
}

QImage ExamPicture()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient paper(0, 0, Width, Height);
    paper.setColorAt(0.0, QColor(250, 236, 218));
    paper.setColorAt(1.0, QColor(244, 222, 208));
    painter.fillRect(image.rect(), paper);
    // A seal-like glow and rings around the gap between the cards mark the exam.
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient glow(QPointF(298, 200), 220);
    glow.setColorAt(0.0, QColor(236, 196, 176));
    glow.setColorAt(1.0, QColor(236, 196, 176, 0));
    painter.fillRect(image.rect(), glow);
    for (int r = 20; r <= 420; r += 28) {
        painter.setPen(QPen(QColor(232, 202, 184), 2));
        painter.drawEllipse(QPointF(298, 200), r, r);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawPracticeGrid(painter, QColor(236, 214, 196), QColor(242, 226, 212), 76);
    painter.end();
    return Compose(image, {QColor(168, 52, 36), QColor(90, 30, 10, 90)});
}

// Every pixel the program fills with the panel yellow must decode to it exactly, and so must the
// pixels around those areas, which a picture scaled smoothly for a high-resolution screen blends in.
int WrongYellowPixels(const QString& path)
{
    const QImage decoded(path);
    if (decoded.isNull())
        return -1;
    int wrong = 0;
    for (const Rect& area : YellowAreas) {
        for (int y = area.top - 1; y <= area.bottom; ++y)
            for (int x = area.left - 1; x <= area.right; ++x)
                wrong += (decoded.pixel(x, y) & 0xFFFFFF) != 0xFFFF00;
    }
    return wrong;
}

bool Write(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "jpg");
    writer.setQuality(92);
    if (!writer.write(image)) {
        std::fprintf(stderr, "make_backgrounds: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    const int wrong = WrongYellowPixels(path);
    if (wrong != 0) {
        std::fprintf(stderr, "make_backgrounds: %s: %d filled pixels do not decode to the panel yellow\n",
                     qPrintable(path), wrong);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_backgrounds <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!Write(TrainingPicture(), folder + QStringLiteral("/bktrain_de.jpg")))
        return 1;
    if (!Write(ExamPicture(), folder + QStringLiteral("/bkexam_de.jpg")))
        return 1;
    return 0;
}
