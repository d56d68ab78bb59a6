#include "tests/display/display_fixture.h"

#include <QPainter>
#include <cstdlib>
#include <string>

#include "display/glyph.h"
#include "shell/platform.h"

void DisplayTest::SetUp()
{
    folder = std::make_unique<TestFolder>();
    widget = std::make_unique<QWidget>();
    widget->resize(DrawingWidth, DrawingHeight);
    DrawingWidget = widget.get();
    for (int i = 0; i < 3; ++i) {
        labels[i] = std::make_unique<QLabel>();
        StatusParts[i] = labels[i].get();
    }
    BackingImage().fill(Qt::white);
    GlyphArea = {0, 0, 0, 0};
    DestroyCaret();
}

void DisplayTest::TearDown()
{
    DestroyCaret();
    DrawingWidget = nullptr;
    for (auto& part : StatusParts) part = nullptr;
    folder.reset();
}

int DisplayTest::Count(int left, int top, int right, int bottom, QRgb colour) const
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (Pixel(x, y) == colour) ++count;
    return count;
}

int DisplayTest::CountOther(int left, int top, int right, int bottom, QRgb colour) const
{
    return (right - left) * (bottom - top) - Count(left, top, right, bottom, colour);
}

void DisplayTest::SavePicture(const char* name) const
{
    const char* where = std::getenv("TEST_PICTURES");
    if (where == nullptr) return;
    BackingImage().save(QString::fromStdString(std::string(where) + "/" + name + ".png"));
}

std::vector<std::uint8_t> GlyphWithDots(std::initializer_list<std::pair<int, int>> dots)
{
    std::vector<std::uint8_t> glyph(72, 0);
    for (auto [column, row] : dots) glyph[3 * row + column / 8] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
    return glyph;
}

std::vector<std::uint8_t> SolidGlyph()
{
    return std::vector<std::uint8_t>(72, 0xFF);
}
