// The settings and About dialogs, driven through their seam as a learner would: their controls,
// the keys that must not close them, and what OK stores and redraws.
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
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
int Opened = 0;
void RunLearner(QDialog* dialog)
{
    ++Opened;
    if (Learner) Learner(dialog);
}

struct Control {
    std::string kind;  // "button", "radio", "label", "icon", "frame"
    int id;            // -1 for static controls
    std::string text;
    int x, y, width, height;  // dialog units
};

std::string KindOf(const QWidget* widget)
{
    if (qobject_cast<const QRadioButton*>(widget)) return "radio";
    if (qobject_cast<const QPushButton*>(widget)) return "button";
    if (const QLabel* label = qobject_cast<const QLabel*>(widget)) return label->pixmap().isNull() ? "label" : "icon";
    return "frame";
}

std::string TextOf(const QWidget* widget)
{
    if (const QAbstractButton* button = qobject_cast<const QAbstractButton*>(widget)) return button->text().toStdString();
    if (const QLabel* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdString();
    return "";
}

// The controls of a dialog in creation order, which is the template order.
std::vector<QWidget*> Controls(QDialog* dialog)
{
    std::vector<QWidget*> result;
    for (QObject* child : dialog->children())
        if (QWidget* widget = qobject_cast<QWidget*>(child)) result.push_back(widget);
    return result;
}

// Compares kinds, ids, texts and places (1.5 px across, 1.625 px down per unit, within a pixel;
// an icon takes its own 32x32 size).
void ExpectControls(QDialog* dialog, const std::vector<Control>& expected)
{
    const std::vector<QWidget*> controls = Controls(dialog);
    ASSERT_EQ(controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Control& want = expected[i];
        const QWidget* got = controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " " + want.text);
        EXPECT_EQ(KindOf(got), want.kind);
        EXPECT_EQ(got->property("id").toInt(), want.id);
        if (want.id != -1) EXPECT_EQ(got->objectName().toStdString(), std::to_string(want.id));
        if (want.kind != "label" || want.id == -1) EXPECT_EQ(TextOf(got), want.text);
        EXPECT_NEAR(got->x(), want.x * 1.5, 1);
        EXPECT_NEAR(got->y(), want.y * 1.625, 1);
        if (want.kind == "icon") {
            EXPECT_EQ(got->size(), QSize(32, 32));
        } else {
            EXPECT_NEAR(got->width(), want.width * 1.5, 1);
            EXPECT_NEAR(got->height(), want.height * 1.625, 1);
        }
    }
}

QRadioButton* Radio(QDialog* dialog, int id)
{
    return dialog->findChild<QRadioButton*>(QString::number(id));
}

void PressOk(QDialog* dialog)
{
    QPushButton* ok = dialog->findChild<QPushButton*>("1032");
    ASSERT_NE(ok, nullptr);
    ok->click();
}

// Escape typed at the focused OK button, and a close request from the window manager.
void TryToLeave(QDialog* dialog)
{
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog->findChild<QPushButton*>("1032"), &escape);
    EXPECT_TRUE(dialog->isVisible()) << "Escape closed the dialog";
    dialog->close();
    EXPECT_TRUE(dialog->isVisible()) << "a close request closed the dialog";
}

std::vector<std::string> Marked(QDialog* dialog)
{
    std::vector<std::string> ids;
    for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
        if (radio->isChecked()) ids.push_back(radio->objectName().toStdString());
    std::sort(ids.begin(), ids.end());
    return ids;
}

int CountLines(const std::string& text)
{
    const std::vector<std::string> lines = LogLines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}

void Screenshot(QDialog* dialog, const char* name)
{
    if (const char* folder = std::getenv("LUMORA_SNAPSHOT_DIR"))
        dialog->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LogEnabled = 1;
        DrawingWidget = &owner;
        DialogOpened = RunLearner;
        Learner = nullptr;
        Opened = 0;
    }
    void TearDown() override
    {
        DrawingWidget = nullptr;
        DialogOpened = nullptr;
        Learner = nullptr;
    }

    TestFolder folder;
    QWidget owner;
};

TEST_F(DialogsTest, CharacterOptionsLayout)
{
    Learner = [](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Character Display Options");
        EXPECT_NEAR(dialog->width(), 225, 1);
        EXPECT_NEAR(dialog->height(), 146, 1);
        EXPECT_EQ(dialog->parentWidget(), DrawingWidget->window());
        EXPECT_TRUE(dialog->windowFlags() & Qt::CustomizeWindowHint);
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(dialog->isModal());
        ExpectControls(dialog, {
                                   {"button", 1032, "&OK", 80, 70, 60, 14},
                                   {"radio", 1021, "Traditional", 80, 12, 49, 10},
                                   {"radio", 1022, "Simplified", 80, 24, 45, 10},
                                   {"icon", -1, "", 10, 9, 20, 20},
                                   {"radio", 1024, "Traditional", 80, 38, 49, 10},
                                   {"radio", 1025, "Simplified", 80, 49, 51, 12},
                                   {"label", -1, "Characters", 39, 12, 37, 15},
                                   {"label", -1, "Examples", 39, 39, 37, 15},
                               });
        EXPECT_TRUE(dialog->findChild<QPushButton*>("1032")->isDefault());
        // Two groups, each exclusive by itself.
        Radio(dialog, 1022)->click();
        Radio(dialog, 1025)->click();
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1022", "1025"}));
        Radio(dialog, 1021)->click();
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1021", "1025"}));
        Screenshot(dialog, "dialog155");
        TryToLeave(dialog);
        PressOk(dialog);
    };
    RunCharOptions();
    EXPECT_EQ(Opened, 1);
    EXPECT_EQ(CountLines("CharOptions"), 1);
    EXPECT_EQ(App.DisplayOptions, ExamplesSimplified);
}

TEST_F(DialogsTest, CharacterOptionsRedrawOnlyWhatChanged)
{
    struct Case {
        int before;
        int clickChars;     // id to click, 0 for none
        int clickExamples;  // id to click, 0 for none
        int after;
        int charRedraws;
        int exampleRedraws;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0},                                     // OK without a change
        {CharsSimplified | 4, 0, 0, CharsSimplified, 0, 0},     // unknown bits dropped, nothing redrawn
        {0, 1022, 0, CharsSimplified, 1, 0},                    // characters only
        {0, 0, 1025, ExamplesSimplified, 0, 1},                 // examples only
        {CharsSimplified, 1021, 1025, ExamplesSimplified, 1, 1},  // both in one go
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.before) + " to " + std::to_string(c.after));
        WriteFileBytes("log.txt", {});
        App.DisplayOptions = c.before;
        Learner = [&c](QDialog* dialog) {
            // Opens with the marks of the current options.
            const bool chars = c.before & CharsSimplified;
            const bool examples = c.before & ExamplesSimplified;
            EXPECT_TRUE(Radio(dialog, chars ? 1022 : 1021)->isChecked());
            EXPECT_TRUE(Radio(dialog, examples ? 1025 : 1024)->isChecked());
            if (c.clickChars) Radio(dialog, c.clickChars)->click();
            if (c.clickExamples) Radio(dialog, c.clickExamples)->click();
            PressOk(dialog);
        };
        RunCharOptions();
        EXPECT_EQ(App.DisplayOptions, c.after);
        EXPECT_EQ(CountLines("ShowChar"), c.charRedraws);
        EXPECT_EQ(CountLines("ShowExamples"), c.exampleRedraws);
    }
}

TEST_F(DialogsTest, ExamSettingsLayout)
{
    App.ExamLevel = 2;
    App.ExamLength = 4;
    Learner = [](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Exam Settings");
        EXPECT_NEAR(dialog->width(), 300, 1);
        EXPECT_NEAR(dialog->height(), 146, 1);
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        ExpectControls(dialog, {
                                   {"button", 1032, "&OK", 130, 70, 60, 14},
                                   {"radio", 1030, "Beginner", 50, 27, 55, 10},
                                   {"radio", 1029, "Intermediate", 50, 38, 55, 10},
                                   {"radio", 1028, "Advanced", 50, 50, 49, 10},
                                   {"label", -1, "Select exam level:", 40, 12, 84, 11},
                                   {"radio", 1034, "50", 125, 27, 55, 10},
                                   {"radio", 1035, "100", 125, 38, 55, 10},
                                   {"radio", 1036, "200", 125, 50, 49, 10},
                                   {"label", -1, "Select exam length:", 115, 12, 84, 11},
                                   {"icon", -1, "", 10, 9, 20, 20},
                               });
        // The defaults open with Intermediate and 200 marked.
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1029", "1036"}));
        Screenshot(dialog, "dialog156");
        TryToLeave(dialog);
        // Level and length are separate groups.
        Radio(dialog, 1028)->click();
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1028", "1036"}));
        Radio(dialog, 1034)->click();
        EXPECT_EQ(Marked(dialog), (std::vector<std::string>{"1028", "1034"}));
        PressOk(dialog);
    };
    RunExamOptions();
    EXPECT_EQ(CountLines("ExamOptions"), 1);
    EXPECT_EQ(App.ExamLevel, 4);
    EXPECT_EQ(App.ExamLength, 1);
}

TEST_F(DialogsTest, ExamSettingsMarksAndStores)
{
    struct Case {
        int level, length;
        std::vector<std::string> marked;
        int storedLevel, storedLength;
    };
    const Case cases[] = {
        {1, 2, {"1030", "1035"}, 1, 2},
        {6, 3, {"1029", "1034"}, 2, 1},  // the lowest set bit decides
        {4, 4, {"1028", "1036"}, 4, 4},
        {0, 8, {}, 0, 0},                // nothing to mark; OK stores 0 for both groups
        {-1, 16, {"1030"}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + " length " + std::to_string(c.length));
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
    // Settings dialogs never redraw anything themselves.
    EXPECT_EQ(CountLines("ShowChar"), 0);
}

TEST_F(DialogsTest, AboutShowsTheVersionAndChangesNothing)
{
    App.DisplayOptions = 3;
    App.ExamLevel = 1;
    App.ExamLength = 2;
    Learner = [](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Lumora - About");
        EXPECT_NEAR(dialog->width(), 318, 1);
        EXPECT_NEAR(dialog->height(), 197, 1);
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        ExpectControls(dialog, {
                                   {"label", 1027, "", 39, 20, 124, 12},
                                   {"frame", -1, "", 33, 14, 154, 56},
                                   {"button", 1032, "&OK", 142, 98, 55, 14},
                                   {"icon", -1, "", 8, 23, 20, 20},
                               });
        EXPECT_EQ(dialog->findChild<QLabel*>("1027")->text().toStdString(), "Lumora 2004 release 3C");
        Screenshot(dialog, "dialog154");
        TryToLeave(dialog);
        PressOk(dialog);
    };
    RunAbout();
    EXPECT_EQ(Opened, 1);
    EXPECT_EQ(CountLines("About"), 1);
    EXPECT_EQ(App.DisplayOptions, 3);
    EXPECT_EQ(App.ExamLevel, 1);
    EXPECT_EQ(App.ExamLength, 2);
}

TEST_F(DialogsTest, OnlyOkApplies)
{
    // A dialog that ends any other way (here: the seam closing what the learner left open) keeps
    // the settings as they were, marks and all.
    App.DisplayOptions = 0;
    App.ExamLevel = 2;
    App.ExamLength = 4;
    Learner = [](QDialog* dialog) { Radio(dialog, 1022)->click(); };
    RunCharOptions();
    Learner = [](QDialog* dialog) { Radio(dialog, 1030)->click(); };
    RunExamOptions();
    EXPECT_EQ(App.DisplayOptions, 0);
    EXPECT_EQ(App.ExamLevel, 2);
    EXPECT_EQ(App.ExamLength, 4);
    EXPECT_EQ(CountLines("ShowChar"), 0);

    // Without a main window the dialogs still run, owned by nobody.
    DrawingWidget = nullptr;
    Learner = [](QDialog* dialog) {
        EXPECT_EQ(dialog->parentWidget(), nullptr);
        Radio(dialog, 1034)->click();
        PressOk(dialog);
    };
    RunExamOptions();
    EXPECT_EQ(App.ExamLength, 1);
}

}  // namespace
