// Generates the pictures compiled into the program (the icon, the glyph frame and the up/down
// indicators) and the desktop icons in every size a menu asks for. Not part of the main build;
// run by hand (needs fonts-wqy-zenhei for the character):
//   g++ -std=c++20 -fPIC tools/make_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make_pictures
//   QT_QPA_PLATFORM=offscreen /tmp/make_pictures resources
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <vector>

namespace {

const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Grey = qRgb(192, 192, 192);
const QRgb White = qRgb(255, 255, 255);
const QRgb PanelGrey = qRgb(212, 208, 200);
const QRgb Black = qRgb(0, 0, 0);

struct Run {
    char colour;
    int length;
};

// The frame is given as runs per row; rows 0..29.
std::vector<Run> FrameRow(int row)
{
    if (row == 0 || row == 29) return {{'Y', 6}, {'G', 18}, {'Y', 6}};
    if (row == 1 || row == 28) return {{'Y', 4}, {'G', 2}, {'W', 18}, {'G', 2}, {'Y', 4}};
    if (row == 2) return {{'Y', 3}, {'G', 1}, {'W', 22}, {'G', 1}, {'Y', 3}};
    if (row == 3 || row == 26) return {{'Y', 2}, {'G', 1}, {'W', 24}, {'G', 1}, {'Y', 2}};
    if (row == 4 || row == 5 || row == 24 || row == 25) return {{'Y', 1}, {'G', 1}, {'W', 26}, {'G', 1}, {'Y', 1}};
    if (row == 27) return {{'Y', 2}, {'G', 2}, {'W', 22}, {'G', 1}, {'Y', 3}};
    return {{'G', 1}, {'W', 28}, {'G', 1}};
}

QImage MakeFrame()
{
    QImage image(30, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y) {
        int x = 0;
        for (const Run& run : FrameRow(y)) {
            QRgb colour = run.colour == 'Y' ? Yellow : run.colour == 'G' ? Grey : White;
            for (int i = 0; i < run.length; ++i) image.setPixel(x++, y, colour);
        }
        if (x != 30) std::fprintf(stderr, "frame row %d has %d pixels\n", y, x);
    }
    return image;
}

// Draws letter strokes from a pixel pattern, then rings them with a black
// outline (every background pixel touching a stroke, diagonals included).
QImage MakeWord(int width, int height, const std::vector<const char*>& rows, QRgb ink)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(PanelGrey);
    auto stroke = [&](int x, int y) {
        if (y < 0 || y >= (int)rows.size()) return false;
        const char* row = rows[y];
        int length = (int)std::char_traits<char>::length(row);
        return x >= 0 && x < length && row[x] == 'X';
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (stroke(x, y)) {
                image.setPixel(x, y, ink);
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (stroke(x + dx, y + dy)) edge = true;
            if (edge) image.setPixel(x, y, Black);
        }
    return image;
}

QImage MakeUp()
{
    // "up", bold two-pixel strokes; the p's descender reaches the last row but one.
    return MakeWord(16, 12,
                    {
                        "................",
                        ".XX..XX..XXXXX..",
                        ".XX..XX..XXXXXX.",
                        ".XX..XX..XX..XX.",
                        ".XX..XX..XX..XX.",
                        ".XX..XX..XX..XX.",
                        ".XXXXXX..XXXXXX.",
                        "..XXXXX..XXXXX..",
                        ".........XX.....",
                        ".........XX.....",
                        ".........XX.....",
                        "................",
                    },
                    qRgb(255, 214, 0));
}

QImage MakeDown()
{
    // "down", one-pixel strokes so the four letters fit in 24 columns.
    return MakeWord(24, 11,
                    {
                        "........................",
                        "....X...................",
                        "....X...................",
                        "....X...................",
                        ".XXXX..XX..X...X.XXX....",
                        ".X..X.X..X.X...X.X..X...",
                        ".X..X.X..X.X.X.X.X..X...",
                        ".X..X.X..X.X.X.X.X..X...",
                        ".X..X.X..X.X.X.X.X..X...",
                        ".XXXX..XX...X.X..X..X...",
                        "........................",
                    },
                    qRgb(255, 0, 0));
}

// A white rounded tile with a red-ink character, like a seal on paper.
QImage MakeIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QRectF tile(0.5, 0.5, size - 1.0, size - 1.0);
    QPainterPath path;
    path.addRoundedRect(tile, size / 6.0, size / 6.0);
    painter.fillPath(path, QColor(255, 255, 255));
    painter.setPen(QPen(QColor(150, 20, 20), size >= 32 ? 1.5 : 1.0));
    painter.drawPath(path);
    QFont font("WenQuanYi Zen Hei");
    font.setPixelSize(size * 3 / 4);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(200, 16, 16));
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString::fromUtf8("字"));
    return image;
}

// The same tile as an SVG, the character as outlines so that no font is needed to show it.
QString MakeIconSvg()
{
    const double size = 256;
    QFont font("WenQuanYi Zen Hei");
    font.setPixelSize(int(size * 3 / 4));
    font.setBold(true);
    const QFontMetricsF metrics(font);
    const QString glyph = QString::fromUtf8("字");
    // Where drawText with AlignCenter puts the text: its advance and line box centred in the tile.
    const double x = (size - metrics.horizontalAdvance(glyph)) / 2;
    const double baseline = (size - metrics.height()) / 2 + metrics.ascent();
    QPainterPath text;
    text.addText(x, baseline, font, glyph);

    QString data;
    for (int i = 0; i < text.elementCount(); ++i) {
        const QPainterPath::Element e = text.elementAt(i);
        if (e.isMoveTo()) data += QString("M%1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
        else if (e.isLineTo()) data += QString("L%1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
        else if (e.isCurveTo()) data += QString("C%1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
        else data += QString(" %1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
    }
    const double corner = size / 6.0;
    return QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
                   "<rect x=\"0.5\" y=\"0.5\" width=\"255\" height=\"255\" rx=\"%1\" fill=\"#ffffff\" "
                   "stroke=\"#961414\" stroke-width=\"1.5\"/>\n"
                   "<path fill=\"#c81010\" fill-rule=\"nonzero\" d=\"%2\"/>\n</svg>\n")
        .arg(corner, 0, 'f', 2)
        .arg(data);
}

bool WriteText(const QString& name, const QString& text)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(text.toUtf8()) >= 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("resources");
    bool ok = MakeFrame().save(folder + "/bitmap149.png") && MakeUp().save(folder + "/bitmap150.png") &&
              MakeDown().save(folder + "/bitmap151.png") && MakeIcon(32).save(folder + "/icon102.png");
    // The same drawing for the desktop menus and the package, one file per standard size.
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok = ok && MakeIcon(size).save(QString("%1/desktop/icons/lumora-%2.png").arg(folder).arg(size));
    ok = ok && WriteText(folder + "/desktop/icons/lumora.svg", MakeIconSvg());
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1] ? argv[1] : "resources");
    return ok ? 0 : 1;
}
