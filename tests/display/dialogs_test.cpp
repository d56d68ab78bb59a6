// The settings and About dialogs, driven through their seam as a learner would.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "data/program_state.h"
#include "display/canvas.h"
#include "display/dialogs.h"
#include "shell/log.h"
#include "tests/support/test_support.h"

namespace {

std::function<void(QDialog*)> Learner;
void RunLearner(QDialog* dialog) { Learner(dialog); }

QRadioButton* Radio(QDialog* dialog, int id) { return dialog->findChild<QRadioButton*>(QString::number(id)); }
void PressOk(QDialog* dialog) { dialog->findChild<QPushButton*>("1032")->click(); }

// "kind id text x y width height" per control, in template order; sizes in dialog units.
void ExpectControls(QDialog* dialog, const char* caption, int width, int height, const std::vector<std::string>& expected)
{
    EXPECT_EQ(dialog->windowTitle().toStdString(), caption);
    EXPECT_NEAR(dialog->width(), width * 1.5, 1);
    EXPECT_NEAR(dialog->height(), height * 1.625, 1);
    EXPECT_EQ(dialog->parentWidget(), DrawingWidget->window());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    std::vector<std::string> got;
    for (QObject* child : dialog->children()) {
        QWidget* w = qobject_cast<QWidget*>(child);
        if (w == nullptr) continue;
        const QAbstractButton* button = qobject_cast<QAbstractButton*>(w);
        const QLabel* label = qobject_cast<QLabel*>(w);
        const char* kind = qobject_cast<QRadioButton*>(w) ? "radio" : button ? "ok" : !label ? "frame"
                           : label->pixmap().isNull() ? "label" : "icon";
        const std::string text = button ? button->text().toStdString() : label ? label->text().toStdString() : "";
        // An icon keeps its own 32x32 size, as on the original platform.
        const int units[4] = {int(w->x() / 1.5 + 0.5), int(w->y() / 1.625 + 0.5),
                              std::string(kind) == "icon" ? 20 : int(w->width() / 1.5 + 0.5),
                              std::string(kind) == "icon" ? 20 : int(w->height() / 1.625 + 0.5)};
        got.push_back(std::string(kind) + " " + std::to_string(w->property("id").toInt()) + " " + text + " " +
                      std::to_string(units[0]) + " " + std::to_string(units[1]) + " " + std::to_string(units[2]) +
                      " " + std::to_string(units[3]));
        if (w->property("id").toInt() > 0) {
            EXPECT_EQ(w->objectName().toStdString(), std::to_string(w->property("id").toInt()));
        }
    }
    EXPECT_EQ(got, expected);
    if (const char* folder = std::getenv("LUMORA_SNAPSHOT_DIR"))
        dialog->grab().save(QString::fromLocal8Bit(folder) + "/" + caption + ".png");
    // Escape typed at the OK button, then a close request: the dialog stays.
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

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LogEnabled = 1;
        DrawingWidget = &owner;
        DialogOpened = RunLearner;
    }
    void TearDown() override
    {
        DrawingWidget = nullptr;
        DialogOpened = nullptr;
    }
    TestFolder folder;
    QWidget owner;
};

TEST_F(DialogsTest, CharacterDisplayOptions)
{
    Learner = [](QDialog* dialog) {
        ExpectControls(dialog, "Character Display Options", 150, 90,
                       {"ok 1032 &OK 80 70 60 14", "radio 1021 Traditional 80 12 49 10", "radio 1022 Simplified 80 24 45 10",
                        "icon -1  10 9 20 20", "radio 1024 Traditional 80 38 49 10", "radio 1025 Simplified 80 49 51 12",
                        "label -1 Characters 39 12 37 15", "label -1 Examples 39 39 37 15"});
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1021", "1024"}));
        Radio(dialog, 1022)->click();  // each pair is a group of its own
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1022", "1024"}));
        PressOk(dialog);
    };
    RunCharOptions();
    EXPECT_EQ(LogCount("CharOptions"), 1);
    EXPECT_EQ(App.DisplayOptions, CharsSimplified);

    // From the options before, what is clicked, to what OK stores and which redraws follow.
    struct Case { int before, click1, click2, after, charRedraws, exampleRedraws; };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0},
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
            EXPECT_TRUE(Radio(dialog, c.before & CharsSimplified ? 1022 : 1021)->isChecked());
            EXPECT_TRUE(Radio(dialog, c.before & ExamplesSimplified ? 1025 : 1024)->isChecked());
            for (int id : {c.click1, c.click2})
                if (id) Radio(dialog, id)->click();
            PressOk(dialog);
        };
        RunCharOptions();
        EXPECT_EQ(App.DisplayOptions, c.after);
        EXPECT_EQ(LogCount("ShowChar"), c.charRedraws);
        EXPECT_EQ(LogCount("ShowExamples"), c.exampleRedraws);
    }
}

TEST_F(DialogsTest, ExamSettings)
{
    App.ExamLevel = 2;
    App.ExamLength = 4;
    Learner = [](QDialog* dialog) {
        ExpectControls(dialog, "Exam Settings", 200, 90,
                       {"ok 1032 &OK 130 70 60 14", "radio 1030 Beginner 50 27 55 10", "radio 1029 Intermediate 50 38 55 10",
                        "radio 1028 Advanced 50 50 49 10", "label -1 Select exam level: 40 12 84 11",
                        "radio 1034 50 125 27 55 10", "radio 1035 100 125 38 55 10", "radio 1036 200 125 50 49 10",
                        "label -1 Select exam length: 115 12 84 11", "icon -1  10 9 20 20"});
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1029", "1036"}));
        Radio(dialog, 1028)->click();
        Radio(dialog, 1034)->click();
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1028", "1034"}));
        PressOk(dialog);
    };
    RunExamOptions();
    EXPECT_EQ(LogCount("ExamOptions"), 1);
    EXPECT_EQ(App.ExamLevel, 4);
    EXPECT_EQ(App.ExamLength, 1);

    // The lowest set bit decides the mark; a group left unmarked stores 0.
    struct Case { int level, length; std::vector<std::string> marked; int storedLevel, storedLength; };
    const Case cases[] = {{6, 3, {"1029", "1034"}, 2, 1}, {0, 8, {}, 0, 0}};
    for (const Case& c : cases) {
        App.ExamLevel = c.level;
        App.ExamLength = c.length;
        Learner = [&c](QDialog* dialog) {
            EXPECT_EQ(Marked(dialog), c.marked);
            PressOk(dialog);
        };
        RunExamOptions();
        EXPECT_EQ(App.ExamLevel, c.storedLevel);
        EXPECT_EQ(App.ExamLength, c.storedLength);
    }

    // Only OK applies: a dialog ended any other way leaves the settings as they were.
    Learner = [](QDialog* dialog) { Radio(dialog, 1036)->click(); };
    RunExamOptions();
    EXPECT_EQ(App.ExamLength, 0);
}

TEST_F(DialogsTest, About)
{
    App.DisplayOptions = 3;
    Learner = [](QDialog* dialog) {
        ExpectControls(dialog, "Lumora - About", 212, 121,
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
