// The entry rows A to C below the glyph box, and the three texts of the status bar.
#include <QLabel>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "engine/drawing.h"

namespace {

const QColor BoxWhite(255, 255, 255);
const QColor TickGreen(0, 255, 0);
const QColor StrikeRed(255, 0, 0);
// The flat frame of an answer box.
const QColor BoxBorder(0, 0, 0);

int RowTop(int row)
{
    return 47 + 30 * row;
}

}  // namespace

void ShowEntry(int row, int clear)
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowEntry");
    if (row < -1 || row > 2) return;
    if (!RebuildReaches(row == -1 ? QRect(10, RowTop(0), 230, 91) : QRect(10, RowTop(row), 230, 31))) return;
    const QFont bold = PointFont(8, 700);
    const QFont normal = PointFont(8, 400);
    // A finished character keeps no caret anywhere in the entry area.
    if (App.Answered) RemoveCaret();

    QPainter painter(&BackingImage());
    PreparePainter(painter);
    if (row == -1) {
        for (int k = 0; k < 3; ++k) {
            FillRectangle(painter, 10, RowTop(k) + 2, 172, RowTop(k) + 30, PanelYellow);
            FillRectangle(painter, 180, RowTop(k), 239, RowTop(k) + 18, PanelYellow);
        }
        painter.end();
        UpdateDrawingArea(10, RowTop(0), 239, RowTop(2) + 30);
        return;
    }
    // A row without a reading has nothing to show; the caller only asks for rows that exist.
    const StringPair* pair = App.ReadingList.At(row);
    if (pair == nullptr) return;

    const int top = RowTop(row);
    if (clear) FillRectangle(painter, 10, top + 2, 172, top + 30, PanelYellow);

    const bool answered = row < App.ActiveRow || App.Answered;
    const char letter = static_cast<char>('A' + row);
    QByteArray label(1, letter);
    label += ':';
    if (answered) label += ' ' + Narrow(pair->first);
    TextRect labelRect = {10, top + 2, 172, top + 30};
    DrawText(painter, label, labelRect, DT_SINGLELINE, bold, TextBlack, PanelYellow);
    DrawText(painter, label, labelRect, DT_SINGLELINE | DT_CALCRECT, bold, TextBlack);
    const int labelRight = labelRect.right;
    const int labelBottom = labelRect.bottom;
    const int height = labelBottom - (top + 2);

    // A single reading keeps its meaning hidden until answered; several readings show theirs as
    // the hint for which reading goes into which row.
    if (answered || App.ReadingCount > 1) {
        TextRect meaningRect = {labelRight + 3, top + 2, 172, top + 30};
        DrawText(painter, Narrow(pair->second), meaningRect, DT_WORDBREAK, normal, TextBlack, PanelYellow);
    }

    TextRect box = {180, top, 239, labelBottom + 2};
    if (clear) {
        FillRectangle(painter, box.left, box.top, box.right, box.bottom, BoxWhite);
        FillRectangle(painter, box.left, box.top, box.right, box.top + 1, BoxBorder);
        FillRectangle(painter, box.left, box.bottom - 1, box.right, box.bottom, BoxBorder);
        FillRectangle(painter, box.left, box.top, box.left + 1, box.bottom, BoxBorder);
        FillRectangle(painter, box.right - 1, box.top, box.right, box.bottom, BoxBorder);
    }

    box.left = 182;
    int typedRight = 182;
    const QByteArray typed = Narrow(App.TypedPinyin[row]);
    if (!typed.isEmpty()) {
        TextRect typedRect = box;
        DrawText(painter, typed, typedRect, DT_SINGLELINE | DT_VCENTER, bold, TextBlack, BoxWhite);
        DrawText(painter, typed, typedRect, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT, bold, TextBlack);
        // The mark and the caret stay inside the box even for a text too long for it.
        typedRight = std::min(typedRect.right, 238);
    }

    if (answered && !typed.isEmpty()) {
        if (App.RowCorrect[row] != 0) {
            const int middleX = (182 + typedRight) / 2;
            DrawLine(painter, 180, top + 9, middleX, top + 17, TickGreen);
            DrawLine(painter, middleX, top + 17, typedRight, top, TickGreen);
        } else {
            const int strikeY = top + height / 2 + 2;
            DrawLine(painter, 182, strikeY, typedRight, strikeY, StrikeRed);
        }
    }
    painter.end();

    if (row == App.ActiveRow && !App.Answered) {
        CreateCaret(1, height);
        SetCaretPos(typedRight, top + 2);
        ShowCaret();
    }
    UpdateDrawingArea(10, top, 239, top + 30);
}

void UpdateStatusBar()
{
    if (DrawingWidget == nullptr) return;
    LogTrace("UpdateStatusBar");
    QString texts[3];
    if (App.TrainingMode) {
        texts[1] = QString::asprintf("You learned %d of %d characters (%4.2f%%)", App.KnownCount, App.QueueLength,
                                     App.LearnedPercent);
        texts[2] = QString::asprintf("Answered %d characters so far", App.AnswerCount);
    } else {
        texts[1] = QString::asprintf("Asked: %d   Good: %d   NG: %d   Len: %d", App.AnswerCount, App.ExamGood,
                                     App.AnswerCount - App.ExamGood, App.ExamQuestions);
        // A range other than the three levels names no level.
        if (App.ExamRange == 1000) {
            texts[2] = QStringLiteral("Exam-level: Beginner");
        } else if (App.ExamRange == 4000) {
            texts[2] = QStringLiteral("Exam-level: Intermediate");
        } else if (App.ExamRange == 8000) {
            texts[2] = QStringLiteral("Exam-level: Advanced");
        }
    }
    texts[0] = App.Answered ? QStringLiteral("Press space for next char") : QStringLiteral("Enter pinyin");
    for (int part : {1, 2, 0}) {
        if (StatusParts[part] != nullptr) StatusParts[part]->setText(texts[part]);
    }
}
