// The settings and About dialogs, driven through their seam as a learner would.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <functional>
#include <string>

#include "data/log.h"
#include "data/program_state.h"
#include "display/dialogs.h"
#include "tests/display/display_fixture.h"

namespace {

std::function<void(QDialog*)> Learner;

QRadioButton* Radio(QDialog* dialog, int id) { return dialog->findChild<QRadioButton*>(QString::number(id)); }
void PressOk(QDialog* dialog) { dialog->findChild<QPushButton*>("1032")->click(); }

// The caption, size, owner and frame of the dialog, its controls as "kind id text x y width height"
// in template order and dialog units, and that neither Escape nor a close request ends it.
void ExpectDialog(QDialog* dialog, const char* caption, int width, int height, const std::vector<std::string>& controls)
{
    EXPECT_EQ(dialog->windowTitle().toStdString(), caption);
    EXPECT_NEAR(dialog->width(), width * 1.5, 1);
    EXPECT_NEAR(dialog->height(), height * 1.625, 1);
    EXPECT_EQ(dialog->parentWidget(), DrawingWidget->window());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    std::vector<std::string> got;
    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const auto* label = qobject_cast<QLabel*>(w);
        const bool icon = label != nullptr && !label->pixmap().isNull();
        const char* kind = qobject_cast<QRadioButton*>(w) ? "radio"
                           : button                       ? "ok"
                           : icon                         ? "icon"
                           : label                        ? "label"
                                                          : "frame";
        const QString text = button ? button->text() : label ? label->text() : QString();
        // An icon keeps its own 32x32 size, as on the original platform.
        got.push_back(QString::asprintf("%s %d %s %d %d %d %d", kind, w->property("id").toInt(), qPrintable(text),
                                        qRound(w->x() / 1.5), qRound(w->y() / 1.625),
                                        icon ? 20 : qRound(w->width() / 1.5), icon ? 20 : qRound(w->height() / 1.625))
                          .toStdString());
    }
    EXPECT_EQ(got, controls);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog->findChild<QPushButton*>("1032"), &escape);
    EXPECT_TRUE(dialog->isVisible()) << "Escape closed it";
    dialog->close();
    EXPECT_TRUE(dialog->isVisible()) << "a close request closed it";
}

std::vector<std::string> Marked(QDialog* dialog)
{
    std::vector<std::string> ids;
    for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
        if (radio->isChecked()) ids.push_back(radio->objectName().toStdString());
    std::sort(ids.begin(), ids.end());
    return ids;
}

int LogCount(const std::string& line)
{
    const std::vector<std::string> lines = LogLines();
    return int(std::count(lines.begin(), lines.end(), line));
}

class DialogsTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        LogEnabled = 1;
        DialogOpened = [](QDialog* dialog) { Learner(dialog); };
    }
    void TearDown() override
    {
        DialogOpened = nullptr;
        DisplayTest::TearDown();
    }
};

// From the options before, what is clicked, to what OK stores and which redraws follow: a form is
// redrawn only when its bit changed, and each pair of buttons is a group of its own.
TEST_F(DialogsTest, CharacterDisplayOptions)
{
    struct Case { int before, click1, click2, after, charRedraws, exampleRedraws; };
    const Case cases[] = {
        {CharsSimplified | 4, 0, 0, CharsSimplified, 0, 0},  // stray bits dropped, nothing redrawn
        {0, 1022, 0, CharsSimplified, 1, 0},
        {0, 1025, 0, ExamplesSimplified, 0, 1},
        {CharsSimplified, 1021, 1025, ExamplesSimplified, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.before) + " -> " + std::to_string(c.after));
        WriteFileBytes("log.txt", {});
        App.DisplayOptions = c.before;
        Learner = [&c](QDialog* dialog) {
            ExpectDialog(dialog, "Character Display Options", 150, 90,
                         {"ok 1032 &OK 80 70 60 14", "radio 1021 Traditional 80 12 49 10",
                          "radio 1022 Simplified 80 24 45 10", "icon -1  10 9 20 20",
                          "radio 1024 Traditional 80 38 49 10", "radio 1025 Simplified 80 49 51 12",
                          "label -1 Characters 39 12 37 15", "label -1 Examples 39 39 37 15"});
            auto expectMarks = [dialog](int options) {
                EXPECT_EQ(Marked(dialog), (std::vector<std::string>{options & CharsSimplified ? "1022" : "1021",
                                                                    options & ExamplesSimplified ? "1025" : "1024"}));
            };
            expectMarks(c.before);
            for (int id : {c.click1, c.click2})
                if (id) Radio(dialog, id)->click();
            expectMarks(c.after);
            PressOk(dialog);
        };
        RunCharOptions();
        EXPECT_EQ(App.DisplayOptions, c.after);
        EXPECT_EQ(LogCount("CharOptions"), 1);
        EXPECT_EQ(LogCount("ShowChar"), c.charRedraws);
        EXPECT_EQ(LogCount("ShowExamples"), c.exampleRedraws);
    }
}

// The lowest set bit decides the mark; a group left unmarked stores 0.
TEST_F(DialogsTest, ExamSettings)
{
    struct Case { int level, length; std::vector<std::string> marked; int click1, click2, storedLevel, storedLength; };
    const Case cases[] = {
        {2, 4, {"1029", "1036"}, 1028, 1034, 4, 1},
        {6, 3, {"1029", "1034"}, 0, 0, 2, 1},
        {0, 8, {}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        App.ExamLevel = c.level;
        App.ExamLength = c.length;
        Learner = [&c](QDialog* dialog) {
            ExpectDialog(dialog, "Exam Settings", 200, 90,
                         {"ok 1032 &OK 130 70 60 14", "radio 1030 Beginner 50 27 55 10",
                          "radio 1029 Intermediate 50 38 55 10", "radio 1028 Advanced 50 50 49 10",
                          "label -1 Select exam level: 40 12 84 11", "radio 1034 50 125 27 55 10",
                          "radio 1035 100 125 38 55 10", "radio 1036 200 125 50 49 10",
                          "label -1 Select exam length: 115 12 84 11", "icon -1  10 9 20 20"});
            EXPECT_EQ(Marked(dialog), c.marked);
            for (int id : {c.click1, c.click2})
                if (id) Radio(dialog, id)->click();
            PressOk(dialog);
        };
        RunExamOptions();
        EXPECT_EQ(App.ExamLevel, c.storedLevel) << c.level;
        EXPECT_EQ(App.ExamLength, c.storedLength) << c.length;
    }
    EXPECT_EQ(LogCount("ExamOptions"), 3);

    // Only OK applies: a dialog ended any other way leaves the settings as they were.
    Learner = [](QDialog* dialog) { Radio(dialog, 1036)->click(); };
    RunExamOptions();
    EXPECT_EQ(App.ExamLength, 0);
}

TEST_F(DialogsTest, About)
{
    App.DisplayOptions = 3;
    Learner = [](QDialog* dialog) {
        ExpectDialog(dialog, "Lumora - About", 212, 121,
                     {"label 1027 Lumora 2004 release 3C 39 20 124 12", "frame -1  33 14 154 56",
                      "ok 1032 &OK 142 98 55 14", "icon -1  8 23 20 20"});
        PressOk(dialog);
    };
    RunAbout();
    EXPECT_EQ(LogCount("About"), 1);
    EXPECT_EQ(App.DisplayOptions, 3);
    EXPECT_EQ(LogCount("ShowChar"), 0);
}

}  // namespace
