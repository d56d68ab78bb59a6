// The level bar with its number, the scale under it, the up/down indicator and the chart of the
// last eight exams, all in the left half of the main window.
#include "display/panels.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "data/clock.h"
#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/glyph.h"
#include "display/layout.h"
#include "display/text.h"
#include "engine/drawing.h"

Rect UpDownArea = {0, 0, 0, 0};
int UpDownShown = 0;
InvalidateFunction InvalidateUpDown = InvalidateArea;

namespace {

const QColor BarGrey(128, 128, 128);
const QColor TrainingBlue(0, 0, 255);
const QColor ExamRed(255, 0, 0);
const QColor ChartBlue(0, 50, 130);

// Range of the bar and the scale. An exam range that was never set would divide by zero; such a
// state draws as training does.
int BarRange()
{
    if (App.TrainingMode || App.ExamRange <= 0) return 8000;
    return App.ExamRange;
}

}  // namespace

void ShowLevelBar()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowLevelBar");
    const Rect bar = LevelBarArea;
    const Rect number = LevelNumberArea;
    const int range = BarRange();
    // Kept inside the bar's own 200 pixels: a count beyond the range would otherwise paint over
    // the number box, the indicator and the chart.
    const long long end = bar.left + static_cast<long long>(App.KnownCount) * (bar.right - bar.left) / range;
    const int x = static_cast<int>(std::clamp<long long>(end, bar.left, bar.right));

    QPainter painter(&BackingImage());
    PreparePainter(painter);
    if (x > bar.left) FillRectangle(painter, bar.left, bar.top, x, bar.bottom, App.TrainingMode ? TrainingBlue : ExamRed);
    FillRectangle(painter, x, bar.top, bar.right, bar.bottom, BarGrey);
    FillRectangle(painter, number, PanelGrey);
    TextRect box = {number.left, number.top, number.right, number.bottom};
    DrawText(painter, QByteArray::number(App.KnownCount), box, DT_SINGLELINE | DT_VCENTER, PointFont(8, 400),
             TextBlack, PanelGrey);
    painter.end();
    UpdateDrawingArea(bar.left, bar.top, number.right, number.bottom);
}

void ShowScales()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowScales");
    const Rect strip = ScaleArea;
    const int range = BarRange();
    const int values[5] = {0, range / 4, range / 2, range / 2 + range / 4, range};
    const int offsets[5] = {6, 51, 100, 151, 201};

    QPainter painter(&BackingImage());
    PreparePainter(painter);
    FillRectangle(painter, strip, PanelGrey);
    const QFont font = PixelFont(8, 400);
    for (int i = 0; i < 5; ++i) {
        TextRect place = {strip.left + offsets[i], strip.top, strip.right, strip.bottom};
        DrawText(painter, QByteArray::number(values[i]), place, DT_SINGLELINE | DT_VCENTER, font, TextBlack,
                 PanelGrey);
    }
    painter.end();
    UpdateDrawingArea(strip.left, strip.top, strip.right, strip.bottom);
}

void ShowUpDown(double change, int hide)
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowUpDown");
    if (hide != 0) {
        // Removed once; a second removal must not invalidate what the window painted since.
        if (UpDownShown == 0) return;
        UpDownShown = 0;
        if (InvalidateUpDown != nullptr)
            InvalidateUpDown(UpDownArea.left, UpDownArea.top, UpDownArea.right, UpDownArea.bottom);
        return;
    }
    const QImage& picture = change >= 0 ? UpPicture() : DownPicture();
    UpDownShown = 1;
    UpDownArea = {UpDownLeft, UpDownTop, UpDownLeft + picture.width(), UpDownTop + picture.height()};
    if (picture.isNull()) return;
    DrawPictureBlocks(BackingImage(), picture, UpDownLeft, UpDownTop);
    UpdateDrawingArea(UpDownArea.left, UpDownArea.top, UpDownArea.right, UpDownArea.bottom);
}

void ShowProgress()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowProgress");
    const int today = GetTime();

    // Day 0 marks a slot no exam has filled yet; it draws nothing and does not set the scale.
    int known[8];
    int margin[8];
    int age[8];
    bool filled[8];
    int top = 0;
    for (int k = 0; k < 8; ++k) {
        const ExamRecord& record = App.ExamHistory[k];
        filled[k] = record.Day != 0;
        known[k] = filled[k] ? record.Known : 0;
        margin[k] = record.Margin;
        age[k] = filled[k] ? today - record.Day : -1;
        if (known[k] > top) top = known[k];
    }

    const int left = ChartArea.left, chartTop = ChartArea.top, right = ChartArea.right, bottom = ChartArea.bottom;
    const int baseline = bottom - 20;
    const int unit = (right - left) / 16;
    const QFont font = PointFont(7, 400);

    QPainter painter(&BackingImage());
    PreparePainter(painter);
    // From (10, 350) towards (265, 350), the end point left out as LineTo does.
    DrawLine(painter, left, baseline, right, baseline, TrainingBlue);
    for (int k = 0; k < 8; ++k) {
        if (!filled[k]) continue;
        const int barRight = right - unit / 2 - 2 * unit * k;
        const int barLeft = barRight - unit;
        int barTop = baseline;
        if (top > 0)
            barTop = baseline - static_cast<int>(static_cast<double>(known[k]) / top * (baseline - chartTop - 50));
        if (barTop < baseline) FillRectangle(painter, barLeft, barTop, barRight, baseline, ChartBlue);

        if (known[k] != 0) {
            TextRect label = {barLeft - 5, barTop - 24, barRight + 5, barTop};
            DrawText(painter, QByteArray::number(known[k]) + "\n(" + QByteArray::number(margin[k]) + ")", label,
                     DT_CENTER | DT_BOTTOM, font, TextBlack, PanelYellow);
        }
        // An exam dated after today (a clock set back since) has no meaningful age: nothing is shown.
        if (age[k] >= 0) {
            TextRect under = {barLeft - 7, baseline + 1, barRight + 7, bottom};
            DrawText(painter, age[k] == 0 ? QByteArray("today") : QByteArray::number(age[k]), under,
                     DT_SINGLELINE | DT_CENTER, font, TextBlack, PanelYellow);
        }
    }
    painter.end();
    UpdateDrawingArea(left, chartTop, right, bottom);
}
