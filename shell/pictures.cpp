// Background pictures: read whole, decoded by Qt's image plugins, kept for the run.
#include "shell/pictures.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

#include "data/log.h"

QImage* TrainingPicture = nullptr;
QImage* ExamPicture = nullptr;

static constexpr qint64 MaxPictureBytes = 32 * 1024 * 1024;

void LoadPictureFile(const char* name, QImage*& picture)
{
    LogTrace("LoadPictureFile");
    // A run loads each picture once; a picture left from an earlier run in the same process goes first.
    delete picture;
    picture = nullptr;

    QFile file(QString::fromLocal8Bit(name));
    if (!file.open(QIODevice::ReadOnly))
        return;
    // A background of 600x380 is some tens of kilobytes; a file this large is not one, and reading
    // it whole could exhaust memory.
    if (file.size() > MaxPictureBytes)
        return;
    const QByteArray bytes = file.readAll();
    file.close();

    QImage decoded;
    if (!decoded.loadFromData(bytes) || decoded.isNull())
        return;
    // Painted by the window's own painter; one fixed format keeps that fast and predictable.
    picture = new QImage(decoded.convertToFormat(QImage::Format_RGB32));
}

void FreePictures()
{
    delete TrainingPicture;
    TrainingPicture = nullptr;
    delete ExamPicture;
    ExamPicture = nullptr;
}
