// The entry rows before and after their answer, and the status bar texts.
#include "data/program_state.h"
#include "engine/drawing.h"
#include "tests/display/display_fixture.h"

class EntryTest : public DisplayTest {
protected:
    void SetReadings(std::initializer_list<std::pair<const char*, const char*>> readings)
    {
        for (auto [reading, meaning] : readings) App.ReadingList.Append({WideString(reading), WideString(meaning)});
        App.ReadingCount = static_cast<int>(readings.size());
    }
    void Answer(int row, const char* typed, int right)
    {
        App.TypedPinyin[row] = typed;
        App.RowCorrect[row] = right;
        App.ActiveRow = static_cast<std::uint8_t>(row + 1);
    }
    static int Right(const QByteArray& text, int left) { return Measured(text, left, 49, DT_SINGLELINE, 700).right; }
};

TEST_F(EntryTest, LoneReadingBeforeAndAfterARightAnswer)
{
    SetReadings({{"ma1", "mother"}});
    ShowEntry(0, 1);
    const TextRect letter = Measured("A:", 10, 49, DT_SINGLELINE, 700);
    EXPECT_EQ(Count(letter.right, 49, 172, 77, Black), 0) << "a lone reading's meaning stays hidden";
    // An empty box in a one-pixel black frame, the caret at its left.
    const int boxBottom = letter.bottom + 2;
    EXPECT_EQ(Count(180, 47, 239, boxBottom, Black), 2 * 59 + 2 * (boxBottom - 49));
    EXPECT_EQ(CaretRect(), QRect(182, 49, 1, letter.bottom - 49));
    EXPECT_TRUE(CaretVisible());

    Answer(0, "ma1", 1);
    App.Answered = true;
    ShowEntry(0, 1);
    const int label = Right("A: ma1", 10), typed = Right("ma1", 182);
    EXPECT_GT(Count(letter.right + 4, 49, label, 77, Black), 0) << "the reading joins the label";
    EXPECT_GT(Count(label + 3, 49, 172, 77, Black), 0) << "and the meaning follows";
    EXPECT_FALSE(CaretVisible());
    EXPECT_EQ(Pixel(180, 47 + 9), Green) << "the tick from the box's left edge";
    EXPECT_GT(Count(typed - 3, 47, typed, 50, Green), 0) << "up to the end of the typed text";
    EXPECT_EQ(Count(0, 0, 600, 380, Red), 0);
}

TEST_F(EntryTest, WrongAnswerStruckThroughAndKeptInItsBox)
{
    SetReadings({{"hao3", "a meaning long enough to run past the two lines the label area can show"}});
    Answer(0, "hao4", 0);
    App.Answered = true;
    BackingImage().fill(Qt::blue);
    ShowEntry(0, 1);
    const int typed = Right("hao4", 182);
    const int strikeY = 47 + (Measured("A: hao3", 10, 49, DT_SINGLELINE, 700).bottom - 49) / 2 + 2;
    EXPECT_EQ(Count(182, strikeY, typed, strikeY + 1, Red), typed - 182) << "one line, its end point left out";
    EXPECT_EQ(Count(0, 0, 600, 380, Red), typed - 182);
    EXPECT_GT(Count(182, 48, typed, strikeY, Black), 0) << "the typed text stays readable";
    EXPECT_EQ(Count(0, 77, 600, 380, Blue), 600 * 303) << "the meaning stays in its row";
    App.TypedPinyin[0] = "zhuangzhuangzhuang";
    ShowEntry(0, 1);
    EXPECT_EQ(Count(239, 0, 600, 380, Blue), 361 * 380) << "text and strike stay in the box";
}

TEST_F(EntryTest, SeveralReadingsShowTheirMeaningsAndTheCaretMovesOn)
{
    SetReadings({{"le5", "completed action"}, {"liao3", "to finish"}, {"liao4", "to watch"}});
    for (int row = 0; row < 3; ++row) ShowEntry(row, 1);
    const int letter = Right("A:", 10);
    for (int top : {47, 77, 107}) EXPECT_GT(Count(letter + 3, top + 2, 172, top + 30, Black), 0) << top;
    EXPECT_EQ(CaretRect().topLeft(), QPoint(182, 49)) << "only the active row places the caret";
    Answer(0, "le5", 1);
    ShowEntry(1, 0);
    EXPECT_EQ(CaretRect().topLeft(), QPoint(182, 79));
    App.TypedPinyin[1] = "li";
    ShowEntry(1, 0);
    EXPECT_EQ(CaretRect().left(), Right("li", 182));
}

TEST_F(EntryTest, EraseAllAndRowsThatDoNotExist)
{
    SetReadings({{"zhong1", "middle"}});
    BackingImage().fill(Qt::red);
    for (int row : {3, -2, 1}) ShowEntry(row, 1);  // out of range, and a row without a reading
    EXPECT_EQ(Count(0, 0, 600, 380, Red), 600 * 380);
    ShowEntry(-1, 1);
    for (int top : {47, 77, 107}) {
        EXPECT_EQ(Count(10, top + 2, 172, top + 30, Yellow), 162 * 28);
        EXPECT_EQ(Count(180, top, 239, top + 18, Yellow), 59 * 18);
    }
    EXPECT_EQ(Count(0, 0, 600, 380, Yellow), 3 * (162 * 28 + 59 * 18)) << "nothing but the six areas";
}

TEST_F(EntryTest, StatusTextsInTrainingAndExam)
{
    App.TrainingMode = true;
    App.KnownCount = 120;
    App.QueueLength = 400;
    App.LearnedPercent = 35.5;
    App.AnswerCount = 7;
    UpdateStatusBar();
    EXPECT_EQ(labels[0].text(), "Enter pinyin");
    EXPECT_EQ(labels[1].text(), "You learned 120 of 400 characters (35.50%)");
    EXPECT_EQ(labels[2].text(), "Answered 7 characters so far");

    App.TrainingMode = false;
    App.Answered = true;
    App.AnswerCount = 12;
    App.ExamGood = 9;
    App.ExamQuestions = 50;
    const std::pair<int, const char*> levels[] = {
        {1000, "Exam-level: Beginner"}, {4000, "Exam-level: Intermediate"}, {8000, "Exam-level: Advanced"}, {1, ""}};
    for (auto [range, text] : levels) {
        App.ExamRange = range;
        UpdateStatusBar();
        EXPECT_EQ(labels[2].text(), text);
    }
    EXPECT_EQ(labels[0].text(), "Press space for next char");
    EXPECT_EQ(labels[1].text(), "Asked: 12   Good: 9   NG: 3   Len: 50");
}
