// Paints the two background pictures of the drawing area and writes them as JPEG files:
//   make_backgrounds <folder>  ->  <folder>/bktrain_de.jpg, <folder>/bkexam_de.jpg
// Both are 600x380, light enough for black text and the yellow and grey panels drawn over them,
// and told apart at a glance: cool practice paper for training, warm paper for an exam.
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
#include <QString>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Width = 600;
constexpr int Height = 380;

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

QImage TrainingPicture()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, Width, Height);
    sky.setColorAt(0.0, QColor(240, 247, 252));
    sky.setColorAt(1.0, QColor(232, 245, 236));
    painter.fillRect(image.rect(), sky);
    DrawWaves(painter, QColor(226, 240, 243), 4, 14.0, 0.0);
    DrawPracticeGrid(painter, QColor(214, 232, 238), QColor(226, 238, 242), 76);
    return image;
}

QImage ExamPicture()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient paper(0, 0, Width, Height);
    paper.setColorAt(0.0, QColor(253, 246, 234));
    paper.setColorAt(1.0, QColor(250, 236, 226));
    painter.fillRect(image.rect(), paper);
    // A faint seal-like ring in the lower right marks the exam.
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient glow(QPointF(520, 300), 260);
    glow.setColorAt(0.0, QColor(248, 226, 214));
    glow.setColorAt(1.0, QColor(248, 226, 214, 0));
    painter.fillRect(image.rect(), glow);
    for (int r = 40; r <= 400; r += 36) {
        painter.setPen(QPen(QColor(244, 226, 214), 2));
        painter.drawEllipse(QPointF(520, 300), r, r);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawPracticeGrid(painter, QColor(240, 224, 208), QColor(246, 234, 222), 76);
    return image;
}

bool Write(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    if (!writer.write(image)) {
        std::fprintf(stderr, "make_backgrounds: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
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
