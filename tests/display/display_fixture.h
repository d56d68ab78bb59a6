// A drawing area for the display tests: a plain widget and three status labels stand in for the
// main window, and every test starts from a white backing image with no caret and no glyph box.
#pragma once
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/canvas.h"
#include "tests/support/test_support.h"

class DisplayTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QRgb Pixel(int x, int y) const { return BackingImage().pixel(x, y) & 0xFFFFFF; }
    // How many pixels of the rectangle (right and bottom excluded) have the colour.
    int Count(int left, int top, int right, int bottom, QRgb colour) const;
    // How many pixels of the rectangle differ from the colour.
    int CountOther(int left, int top, int right, int bottom, QRgb colour) const;
    // Saves the backing image for a look when TEST_PICTURES names a folder.
    void SavePicture(const char* name) const;

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<QWidget> widget;
    std::unique_ptr<QLabel> labels[3];
};

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Black = 0x000000;
constexpr QRgb Yellow = 0xFFFF00;
constexpr QRgb FrameGrey = 0xC0C0C0;
constexpr QRgb Green = 0x00FF00;
constexpr QRgb Red = 0xFF0000;

// A glyph with the given dots (column, row) set.
std::vector<std::uint8_t> GlyphWithDots(std::initializer_list<std::pair<int, int>> dots);
// A glyph filled solid: every dot ink.
std::vector<std::uint8_t> SolidGlyph();
