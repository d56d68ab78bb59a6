// Runs the whole program in-process in a test folder: database, pictures, a private instance name,
// and a hook that acts once the event loop runs.
#pragma once
#include <QColor>
#include <QImage>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

// The colours of the test pictures, far apart so that a pixel tells which one is shown.
const QColor TrainingColour(40, 160, 220);
const QColor ExamColour(230, 120, 40);

// Writes a plain JPEG of the drawing area's size in one colour.
void WritePicture(const std::string& name, const QColor& colour);
// Pixels of the backing image within a small distance of the colour.
int CountPixelsNear(const QImage& image, const QColor& colour);

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Database and both pictures, as an installation has them.
    void StandUp();
    // Winmain with 'whileRunning' called once the loop runs; the hook must end the run.
    int RunLumora(const std::function<void()>& whileRunning);

    TestFolder folder;
};
