// The entry rows A to C below the glyph box, and the three texts of the status bar.
#include <QLabel>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/caret.h"
#include "display/layout.h"
#include "display/text.h"
#include "engine/drawing.h"

namespace {

const QColor BoxWhite(255, 255, 255);
const QColor TickGreen(0, 255, 0);
const QColor StrikeRed(255, 0, 0);
// The flat frame of an answer box.
const QColor BoxBorder(0, 0, 0);

}  // namespace

void ShowEntry(int row, int clear)
{
    if (DrawingWidget == nullptr) return;
    LogTrace("ShowEntry");
    if (row < -1 || row > 2) return;
    const QFont bold = PointFont(8, 700);
    const QFont normal = PointFont(8, 400);
    // A finished character keeps no caret anywhere in the entry area.
    if (App.Answered) RemoveCaret();

    QPainter painter(&BackingImage());
    PreparePainter(painter);
    if (row == -1) {
        for (int k = 0; k < 3; ++k) {
            FillRectangle(painter, RowTextArea(k), PanelYellow);
            FillRectangle(painter, AnswerBoxPlace(k), PanelYellow);
        }
        painter.end();
        UpdateDrawingArea(RowArea(0).left, RowArea(0).top, RowArea(2).right, RowArea(2).bottom);
        return;
    }
    // A row without a reading has nothing to show; the caller only asks for rows that exist.
    const StringPair* pair = App.ReadingList.At(row);
    if (pair == nullptr) return;

    const int top = RowTop(row);
    const Rect text = RowTextArea(row);
    if (clear) FillRectangle(painter, text, PanelYellow);

    const bool answered = row < App.ActiveRow || App.Answered;
    const char letter = static_cast<char>('A' + row);
    QByteArray label(1, letter);
    label += ':';
    if (answered) label += ' ' + Narrow(pair->first);
    TextRect labelRect = {text.left, text.top, text.right, text.bottom};
    DrawText(painter, label, labelRect, DT_SINGLELINE, bold, TextBlack, PanelYellow);
    DrawText(painter, label, labelRect, DT_SINGLELINE | DT_CALCRECT, bold, TextBlack);
    const int labelRight = labelRect.right;
    const int labelBottom = labelRect.bottom;
    const int height = labelBottom - text.top;

    // A single reading keeps its meaning hidden until answered; several readings show theirs as
    // the hint for which reading goes into which row.
    if (answered || App.ReadingCount > 1) {
        TextRect meaningRect = {labelRight + 3, text.top, text.right, text.bottom};
        DrawText(painter, Narrow(pair->second), meaningRect, DT_WORDBREAK, normal, TextBlack, PanelYellow);
    }

    const Rect place = AnswerBoxPlace(row);
    TextRect box = {place.left, place.top, place.right, labelBottom + 2};
    if (clear) {
        FillRectangle(painter, box.left, box.top, box.right, box.bottom, BoxWhite);
        FillRectangle(painter, box.left, box.top, box.right, box.top + 1, BoxBorder);
        FillRectangle(painter, box.left, box.bottom - 1, box.right, box.bottom, BoxBorder);
        FillRectangle(painter, box.left, box.top, box.left + 1, box.bottom, BoxBorder);
        FillRectangle(painter, box.right - 1, box.top, box.right, box.bottom, BoxBorder);
    }

    box.left = TypedLeft;
    int typedRight = TypedLeft;
    const QByteArray typed = Narrow(App.TypedPinyin[row]);
    if (!typed.isEmpty()) {
        TextRect typedRect = box;
        DrawText(painter, typed, typedRect, DT_SINGLELINE | DT_VCENTER, bold, TextBlack, BoxWhite);
        DrawText(painter, typed, typedRect, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT, bold, TextBlack);
        // The mark and the caret stay inside the box even for a text too long for it.
        typedRight = std::min(typedRect.right, place.right - 1);
    }

    if (answered && !typed.isEmpty()) {
        if (App.RowCorrect[row] != 0) {
            const int middleX = (TypedLeft + typedRight) / 2;
            DrawLine(painter, place.left, top + 9, middleX, top + 17, TickGreen);
            DrawLine(painter, middleX, top + 17, typedRight, top, TickGreen);
        } else {
            const int strikeY = top + height / 2 + 2;
            DrawLine(painter, TypedLeft, strikeY, typedRight, strikeY, StrikeRed);
        }
    }
    painter.end();

    if (row == App.ActiveRow && !App.Answered) {
        CreateCaret(1, height);
        SetCaretPos(typedRight, text.top);
        ShowCaret();
    }
    const Rect area = RowArea(row);
    UpdateDrawingArea(area.left, area.top, area.right, area.bottom);
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
