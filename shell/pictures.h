// The two background pictures of the drawing area: read and decoded once at start, their pixels
// kept only while they are on the screen.
#pragma once

#include <QByteArray>
#include <QImage>

// A background as its file holds it, and its pixels while it is shown. The file's bytes are a few
// kilobytes, the pixels most of a megabyte: the picture of the other mode gives its pixels back
// and decodes them again (about a millisecond) when that mode returns.
struct Picture {
    QByteArray file;
    QImage pixels;
};

// "bktrain_de.jpg" while training, "bkexam_de.jpg" while an exam runs; null when absent.
extern Picture* TrainingPicture;
extern Picture* ExamPicture;

// Reads and decodes the named file into 'picture'; a file that is missing or does not decode
// leaves none.
void LoadPictureFile(const char* name, Picture*& picture);
// The pixels of the picture for the mode ('training' or an exam), decoding them if they were
// given back; the other picture gives its pixels back. Null unless both pictures are loaded.
const QImage* ShownPicture(bool training);
// Releases both pictures (at the end of a run).
void FreePictures();
