// The two background pictures of the drawing area, decoded once at start.
#pragma once

class QImage;

// "bktrain_de.jpg" while training, "bkexam_de.jpg" while an exam runs; null when absent.
extern QImage* TrainingPicture;
extern QImage* ExamPicture;

// Decodes the named file into 'picture'; a file that is missing or does not decode leaves none.
void LoadPictureFile(const char* name, QImage*& picture);
// Releases both pictures (at the end of a run).
void FreePictures();
