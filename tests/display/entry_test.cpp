// The entry rows: what each row shows before and after its answer, and the status bar texts.
#include <QPainter>

#include "data/program_state.h"
#include "display/display.h"
#include "tests/display/display_fixture.h"

class EntryTest : public DisplayTest {
protected:
    void SetReadings(std::initializer_list<std::pair<const char*, const char*>> readings)
    {
        App.ReadingList.Clear();
        for (auto [reading, meaning] : readings) App.ReadingList.Append({WideString(reading), WideString(meaning)});
        App.ReadingCount = static_cast<int>(readings.size());
        App.ActiveRow = 0;
        App.Answered = false;
        App.TrainingMode = true;
    }

    // The right edge and height of a bold label as the row measures it.
    static TextRect Measured(const QByteArray& text, int left, int top)
    {
        TextRect rect = {left, top, 172, top + 28};
        QImage scratch(10, 10, QImage::Format_RGB32);
        QPainter painter(&scratch);
        DrawText(painter, text, rect, DT_SINGLELINE | DT_CALCRECT, PointFont(8, 700), Qt::black);
        return rect;
    }
};

TEST_F(EntryTest, SingleReadingBeforeAndAfterARightAnswer)
{
    SetReadings({{"ma1", "mother"}});
    ShowEntry(0, 1);
    const TextRect letter = Measured("A:", 10, 49);
    const int height = letter.bottom - 49;
    EXPECT_GT(Count(10, 49, letter.right, letter.bottom, Black), 0);
    EXPECT_EQ(Count(letter.right, 49, 172, 77, Black), 0) << "the meaning of a lone reading stays hidden";
    EXPECT_EQ(Count(10, 49, 172, 77, Yellow) + Count(10, 49, 172, 77, Black), 162 * 28);
    // The white box with its one-pixel frame, empty, the caret at its left.
    const int boxBottom = letter.bottom + 2;
    EXPECT_EQ(Count(180, 47, 239, 48, Black), 59);
    EXPECT_EQ(Count(180, boxBottom - 1, 239, boxBottom, Black), 59);
    EXPECT_EQ(Count(180, 47, 181, boxBottom, Black), boxBottom - 47);
    EXPECT_EQ(Count(238, 47, 239, boxBottom, Black), boxBottom - 47);
    EXPECT_EQ(Count(181, 48, 238, boxBottom - 1, White), 57 * (boxBottom - 49));
    EXPECT_TRUE(CaretVisible());
    EXPECT_EQ(CaretRect(), QRect(182, 49, 1, height));

    App.TypedPinyin[0] = "ma1";
    App.RowCorrect[0] = 1;
    App.ActiveRow = 1;
    App.Answered = true;
    ShowEntry(0, 1);
    const TextRect label = Measured("A: ma1", 10, 49);
    EXPECT_GT(Count(letter.right + 4, 49, label.right, label.bottom, Black), 0) << "the reading joins the label";
    EXPECT_EQ(Count(label.right, 49, label.right + 3, 77, Black), 0);
    EXPECT_GT(Count(label.right + 3, 49, 172, 77, Black), 0) << "the meaning follows 3 pixels on";
    EXPECT_FALSE(CaretVisible());
    // The tick starts at the box's left edge half way down the row and rises to the text's end.
    const TextRect typed = Measured("ma1", 182, 49);
    EXPECT_EQ(Pixel(180, 47 + 9), Green);
    EXPECT_EQ(Pixel((182 + typed.right) / 2, 47 + 17), Green);
    EXPECT_GT(Count(typed.right - 3, 47, typed.right, 51, Green), 0);
    EXPECT_EQ(Count(0, 0, 600, 380, Red), 0);
    SavePicture("entry_right");
}

TEST_F(EntryTest, WrongAnswerIsStruckThroughAndShowsTheReading)
{
    SetReadings({{"hao3", "good"}});
    App.TypedPinyin[0] = "hao4";
    App.RowCorrect[0] = 0;
    App.Answered = true;
    ShowEntry(0, 1);
    const TextRect label = Measured("A: hao3", 10, 49);
    const int height = label.bottom - 49;
    const TextRect typed = Measured("hao4", 182, 49);
    const int strikeY = 47 + height / 2 + 2;
    EXPECT_EQ(Count(182, strikeY, typed.right, strikeY + 1, Red), typed.right - 182);
    EXPECT_EQ(Count(0, 0, 600, 380, Red), typed.right - 182) << "one line, its end point left out";
    EXPECT_EQ(Count(0, 0, 600, 380, Green), 0);
    EXPECT_GT(Count(label.right - 8, 49, label.right, label.bottom, Black), 0);
    EXPECT_GT(Count(182, 48, typed.right, strikeY, Black), 0) << "the typed text stays readable";
}

TEST_F(EntryTest, SeveralReadingsShowTheirMeaningsAndOneCaret)
{
    SetReadings({{"le5", "completed action"}, {"liao3", "to finish"}, {"liao4", "to watch"}});
    for (int row = 0; row < 3; ++row) ShowEntry(row, 1);
    const TextRect letter = Measured("A:", 10, 49);
    for (int row = 0; row < 3; ++row) {
        const int top = 47 + 30 * row;
        EXPECT_GT(Count(letter.right + 3, top + 2, 172, top + 30, Black), 0) << "meaning of row " << row;
        EXPECT_EQ(Count(180, top, 239, top + 1, Black), 59) << "box of row " << row;
    }
    EXPECT_EQ(CaretRect().topLeft(), QPoint(182, 49)) << "only the active row places the caret";

    // The first row answered right: typing moves on to row B.
    App.TypedPinyin[0] = "le5";
    App.RowCorrect[0] = 1;
    App.ActiveRow = 1;
    ShowEntry(0, 0);
    ShowEntry(1, 0);
    EXPECT_GT(Count(180, 47, 239, 65, Green), 0);
    EXPECT_TRUE(CaretVisible());
    EXPECT_EQ(CaretRect().topLeft(), QPoint(182, 79));
    App.TypedPinyin[1] = "li";
    ShowEntry(1, 0);
    EXPECT_EQ(CaretRect().left(), Measured("li", 182, 79).right) << "the caret follows the typed text";
}

TEST_F(EntryTest, EraseAllAndRowsOutOfRange)
{
    SetReadings({{"zhong1", "middle"}, {"zhong4", "to hit"}});
    ShowEntry(0, 1);
    ShowEntry(1, 1);
    BackingImage().fill(Qt::red);
    ShowEntry(3, 1);
    ShowEntry(-2, 1);
    EXPECT_EQ(Count(0, 0, 600, 380, Red), 600 * 380);

    ShowEntry(-1, 1);
    int expected = 0;
    for (int row = 0; row < 3; ++row) {
        const int top = 47 + 30 * row;
        EXPECT_EQ(Count(10, top + 2, 172, top + 30, Yellow), 162 * 28);
        EXPECT_EQ(Count(180, top, 239, top + 18, Yellow), 59 * 18);
        expected += 162 * 28 + 59 * 18;
    }
    EXPECT_EQ(Count(0, 0, 600, 380, Yellow), expected) << "nothing but the six areas";
}

TEST_F(EntryTest, TextStaysInsideItsBoxAndRowsWithoutReadingDrawNothing)
{
    SetReadings({{"a1", "a very long meaning that goes on and on beyond two lines of the label area"}});
    App.TypedPinyin[0] = "zhuangzhuangzhuang";
    App.RowCorrect[0] = 0;
    App.Answered = true;
    BackingImage().fill(Qt::red);
    ShowEntry(0, 1);
    EXPECT_EQ(CountOther(239, 0, 600, 380, Red), 0) << "the typed text is clipped to its box";
    EXPECT_EQ(CountOther(0, 77, 600, 380, Red), 0) << "the meaning is clipped to its row";

    BackingImage().fill(Qt::red);
    ShowEntry(1, 1);
    EXPECT_EQ(CountOther(0, 0, 600, 380, Red), 0);
}

TEST_F(EntryTest, StatusTextsInTraining)
{
    App.TrainingMode = true;
    App.KnownCount = 120;
    App.QueueLength = 400;
    App.LearnedPercent = 35.5;
    App.AnswerCount = 7;
    App.Answered = false;
    UpdateStatusBar();
    EXPECT_EQ(labels[0]->text(), "Enter pinyin");
    EXPECT_EQ(labels[1]->text(), "You learned 120 of 400 characters (35.50%)");
    EXPECT_EQ(labels[2]->text(), "Answered 7 characters so far");
    App.Answered = true;
    App.LearnedPercent = 100;
    UpdateStatusBar();
    EXPECT_EQ(labels[0]->text(), "Press space for next char");
    EXPECT_EQ(labels[1]->text(), "You learned 120 of 400 characters (100.00%)");
}

TEST_F(EntryTest, StatusTextsInAnExam)
{
    App.TrainingMode = false;
    App.AnswerCount = 12;
    App.ExamGood = 9;
    App.ExamQuestions = 50;
    App.ExamRange = 4000;
    UpdateStatusBar();
    EXPECT_EQ(labels[1]->text(), "Asked: 12   Good: 9   NG: 3   Len: 50");
    EXPECT_EQ(labels[2]->text(), "Exam-level: Intermediate");
    EXPECT_EQ(labels[0]->text(), "Enter pinyin");
    App.ExamRange = 1000;
    UpdateStatusBar();
    EXPECT_EQ(labels[2]->text(), "Exam-level: Beginner");
    App.ExamRange = 8000;
    UpdateStatusBar();
    EXPECT_EQ(labels[2]->text(), "Exam-level: Advanced");
    App.ExamRange = 123;
    UpdateStatusBar();
    EXPECT_EQ(labels[2]->text(), "");

    DrawingWidget = nullptr;
    App.AnswerCount = 13;
    UpdateStatusBar();
    EXPECT_EQ(labels[1]->text(), "Asked: 12   Good: 9   NG: 3   Len: 50") << "no window, no change";
}
