// A drawing area for the display tests: a plain widget and three status labels stand in for the
// main window; every test starts from a white backing image, no caret and no glyph box.
#pragma once
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "display/glyph.h"
#include "shell/platform.h"
#include "tests/support/test_support.h"

constexpr QRgb White = 0xFFFFFF, Black = 0, Yellow = 0xFFFF00, Grey = 0xC0C0C0, Green = 0x00FF00, Red = 0xFF0000,
               Blue = 0x0000FF;

class DisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        DrawingWidget = &widget;
        for (int i = 0; i < 3; ++i) StatusParts[i] = &labels[i];
        BackingImage().fill(Qt::white);
        GlyphArea = {0, 0, 0, 0};
        DestroyCaret();
    }
    void TearDown() override
    {
        DrawingWidget = nullptr;
        for (auto& part : StatusParts) part = nullptr;
    }
    static QRgb Pixel(int x, int y) { return BackingImage().pixel(x, y) & 0xFFFFFF; }
    // Pixels of the colour in the rectangle (right and bottom excluded).
    static int Count(int left, int top, int right, int bottom, QRgb colour)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += Pixel(x, y) == colour;
        return count;
    }
    // With TEST_PICTURES naming a folder, the backing image is saved there for a look.
    static void SavePicture(const char* name)
    {
        if (const char* where = std::getenv("TEST_PICTURES"))
            BackingImage().save(QString::fromStdString(std::string(where) + "/" + name + ".png"));
    }

    TestFolder folder;
    QWidget widget;
    QLabel labels[3];
};

inline std::vector<std::uint8_t> GlyphWithDot(int column, int row)
{
    std::vector<std::uint8_t> glyph(72, 0);
    glyph[3 * row + column / 8] = static_cast<std::uint8_t>(0x80 >> (column % 8));
    return glyph;
}

// The measured rectangle of a text drawn from (left, top) with the flags.
inline TextRect Measured(const QByteArray& text, int left, int top, unsigned flags, int weight, int right = 580)
{
    TextRect rect = {left, top, right, top + 300};
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    DrawText(painter, text, rect, flags | DT_CALCRECT, PointFont(8, weight), Qt::black);
    return rect;
}
