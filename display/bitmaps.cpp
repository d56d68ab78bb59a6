// The small pictures compiled into the program: the glyph frame and the up and down words,
// decoded on first use and kept for the run.
#include <QImage>
#include <QString>

#include "display/glyph.h"

// The pictures live in the static display library, whose resource object nothing else references;
// the registration must stand outside any namespace.
static void RegisterPictures()
{
    static bool registered = false;
    if (registered) return;
    registered = true;
    Q_INIT_RESOURCE(lumora);
}

static QImage Decode(const char* name)
{
    RegisterPictures();
    const QImage picture(QString::fromLatin1(name));
    return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

const QImage& FramePicture()
{
    static const QImage frame = Decode(":/bitmap149.png");
    return frame;
}

const QImage& UpPicture()
{
    static const QImage up = Decode(":/bitmap150.png");
    return up;
}

const QImage& DownPicture()
{
    static const QImage down = Decode(":/bitmap151.png");
    return down;
}
