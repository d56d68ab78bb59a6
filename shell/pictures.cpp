// Background pictures: read whole, decoded by Qt's image plugins; the bytes are kept for the run,
// the pixels while the picture is shown.
#include "shell/pictures.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include "data/byte_io.h"
#include "data/file_faults.h"
#include "data/log.h"

Picture* TrainingPicture = nullptr;
Picture* ExamPicture = nullptr;

namespace {

// Decoded to the backing image's own format, so that painting copies it as it is.
bool Decode(const QByteArray& bytes, QImage& pixels)
{
    if (!pixels.loadFromData(bytes) || pixels.isNull())
        return false;
    if (pixels.format() != QImage::Format_RGB32)
        pixels = pixels.convertToFormat(QImage::Format_RGB32);
    return true;
}

}  // namespace

void LoadPictureFile(const char* name, Picture*& picture)
{
    LogTrace("LoadPictureFile");
    // A run loads each picture once; a picture left from an earlier run in the same process goes first.
    delete picture;
    picture = nullptr;

    // Opened by the system first, for its reason when it cannot be.
    if (ByteFile opened(name, "rb"); !opened.IsOpen()) {
        LastFileFault = OpenFault(name, errno);
        return;
    }
    QFile file(QString::fromLocal8Bit(name));
    if (!file.open(QIODevice::ReadOnly)) {
        LastFileFault = OpenFault(name, EIO);
        return;
    }
    // A background of 600x380 is some tens of kilobytes; a file this large is not one, and reading
    // it whole could exhaust memory.
    if (file.size() > static_cast<qint64>(PictureLimit)) {
        LastFileFault = TooLargeFault(name, static_cast<std::uint64_t>(file.size()), PictureLimit);
        return;
    }
    Picture loaded{file.readAll(), QImage()};
    file.close();
    // Decoded now, so that a picture that cannot be shown stops the start as a missing one does.
    if (!Decode(loaded.file, loaded.pixels)) {
        LastFileFault = ContentFault(FaultKind::WrongFormat, name, FaultDetail::NotAPicture);
        return;
    }
    picture = new Picture(std::move(loaded));
}

const QImage* ShownPicture(bool training)
{
    if (TrainingPicture == nullptr || ExamPicture == nullptr)
        return nullptr;
    Picture* shown = training ? TrainingPicture : ExamPicture;
    Picture* hidden = training ? ExamPicture : TrainingPicture;
    hidden->pixels = QImage();
    // The bytes decoded once already; should that ever fail now, the area stays unpainted
    // rather than the program stopping mid-run.
    if (shown->pixels.isNull() && !Decode(shown->file, shown->pixels))
        return nullptr;
    return &shown->pixels;
}

void FreePictures()
{
    delete TrainingPicture;
    TrainingPicture = nullptr;
    delete ExamPicture;
    ExamPicture = nullptr;
}
