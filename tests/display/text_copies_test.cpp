// Lines of text copied from an earlier drawing must set exactly the pixels that drawing the text
// sets: checked on the bundled database's example words and readings, in every font the program
// uses, against plain drawing.
#include <QFile>
#include <QString>
#include <vector>

#include "data/word_lists.h"
#include "engine/drawing.h"
#include "engine/selection.h"
#include "tests/display/display_fixture.h"

namespace {

class TextCopiesTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        for (const char* name : {"cbfcon", "cbf", "cifcon", "cif", "index", "pinyin", "wtf"})
            ASSERT_TRUE(QFile::copy(QString::fromLatin1(LUMORA_RUN_DIR) + "/" + name, QString::fromLatin1(name)))
                << name;
        ASSERT_EQ(LoadPinyinList() + LoadWdsList() + LoadIndex(), 3);
    }
    void TearDown() override
    {
        CopyDrawnLines = true;
        DisplayTest::TearDown();
    }

    // The backing image after 'draw', plainly drawn and then twice with copies allowed: the first
    // copy of a line comes from a fresh picture, the second from the kept one.
    template <typename Draw>
    void ExpectSamePixels(Draw draw, const char* what)
    {
        CopyDrawnLines = false;
        BackingImage().fill(Qt::white);
        draw();
        const QImage plain = BackingImage().copy();
        CopyDrawnLines = true;
        for (int pass = 0; pass < 2; ++pass) {
            BackingImage().fill(Qt::white);
            draw();
            ASSERT_TRUE(BackingImage() == plain) << what << ", pass " << pass;
        }
    }
};

}  // namespace

TEST_F(TextCopiesTest, ExamplePanelsOfFrequentCharactersAreDrawnAlike)
{
    App.Answered = true;
    for (int rank = 0; rank < 2400; rank += 8) {
        App.CurrentChar = App.FreqList[rank];
        CollectExamples();
        ExpectSamePixels([] { ShowExamples(); }, QString::number(App.CurrentChar, 16).toLatin1().constData());
        if (HasFatalFailure()) return;
    }
}

TEST_F(TextCopiesTest, ExampleTextsInEveryFontAndLayoutAreDrawnAlike)
{
    const QFont fonts[] = {PointFont(8, 700), PointFont(8, 400), PointFont(7, 400), PixelFont(8, 400)};
    const unsigned layouts[] = {DT_WORDBREAK, DT_SINGLELINE | DT_VCENTER, DT_CENTER | DT_BOTTOM,
                                DT_SINGLELINE | DT_CENTER};
    // The texts of the example words of frequent characters, as the panel gets them.
    std::vector<QByteArray> texts;
    for (int rank = 0; texts.size() < 600 && rank < FrequencyCount; rank += 16) {
        App.CurrentChar = App.FreqList[rank];
        CollectExamples();
        for (const PairNode* node = App.ExampleList.head; node != nullptr && texts.size() < 600; node = node->next)
            texts.push_back(Narrow(node->pair.second));
    }
    ASSERT_EQ(texts.size(), 600u);
    for (int n = 0; n < 600; ++n) {
        const QByteArray& text = texts[n];
        const QFont& font = fonts[n % 4];
        const unsigned flags = layouts[(n / 4) % 4];
        ExpectSamePixels(
            [&] {
                QPainter painter(&BackingImage());
                TextRect rect = {20 + n % 37, 30 + n % 11, 300, 120};
                DrawText(painter, text, rect, flags, font, TextBlack, n % 2 ? PanelYellow : QColor());
            },
            text.constData());
        if (HasFatalFailure()) return;
    }
}
