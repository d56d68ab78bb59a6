// The way back to a backup: offered at start for a learner file that cannot be read (restore,
// decline, a damaged newest copy), and chosen from Help > Restore records.
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "shell/restore.h"
#include "tests/shell/shell_fixture.h"

namespace {

namespace fs = std::filesystem;

class RestoreTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        SetLocalNow(2026, 12, 8);
        // The fresh queue of the test database as a quit saves it, then copies of it as backups:
        // each day one more character answered right.
        RunLumora([] { SendCommand(IDM_QUIT); });
        ResetProgramState();
        fresh = ReadFileBytes("student.lumora");
        ASSERT_EQ(fresh.size(), static_cast<std::size_t>(LearnerFileSize));
        fs::create_directory("backups");
        for (int day = 5; day <= 7; ++day)
            WriteFileBytes("backups/student-2026-12-0" + std::to_string(day) + ".lumora", Learned(day - 4));
        AskedBefore = AskedQuestions().size();
    }

    // The fresh records with 'count' characters answered right three times.
    Bytes Learned(int count) const
    {
        Bytes bytes = fresh;
        for (int k = 0; k < count; ++k)
            bytes[2 + 8 * (0x5000 + k) + 2] = 3;
        return bytes;
    }

    const AskedQuestion& Asked(std::size_t k) const { return AskedQuestions().at(AskedBefore + k); }
    std::size_t AskedSince() const { return AskedQuestions().size() - AskedBefore; }

    Bytes fresh;
    std::size_t AskedBefore = 0;
};

int LearnedInMemory()
{
    int learned = 0;
    for (int code = 0; code < CodeCount; ++code)
        learned += App.CharTable[code].QueuePos != 0 && App.CharTable[code].Good > App.CharTable[code].Wrong;
    return learned;
}

TEST_F(RestoreTest, ADamagedFileIsOfferedTheNewestBackupThatLoadsAndReturnRestoresIt)
{
    const Bytes damaged(1000, 0x55);
    WriteFileBytes("student.lumora", damaged);
    Bytes newest = Learned(3);
    newest[0] = 0;  // the newest copy is damaged too: the one before it is offered
    WriteFileBytes("backups/student-2026-12-07.lumora", newest);
    ScriptAnswers({AnswerYes});
    static int learned;
    EXPECT_EQ(RunLumora([] {
                  learned = LearnedInMemory();
                  SendAbort(0);
              }),
              1);
    ASSERT_EQ(AskedSince(), 1u) << "one message, then the start goes on";
    const std::string& offer = Asked(0).text;
    EXPECT_EQ(Asked(0).buttons, AskYesNo) << "Yes, the default button, restores";
    for (const char* part : {"Lumora cannot read your records.",
                             "Your records file \"student.lumora\" is damaged: it holds 1,000 bytes",
                             "The newest backup that loads is from Sunday 6 December 2026, with 2 characters learned:",
                             "backups/student-2026-12-06.lumora", "The damaged file is kept as \"student.lumora.damaged-2026-12-08\""})
        EXPECT_NE(offer.find(part), std::string::npos) << "missing \"" << part << "\" in:\n" << offer;
    EXPECT_EQ(learned, 2) << "the restored records are the ones loaded";
    EXPECT_EQ(ReadFileBytes("student.lumora.damaged-2026-12-08"), damaged) << "the damaged file is kept";
    EXPECT_EQ(ReadFileBytes("student.lumora"), Learned(2));
    EXPECT_EQ(Among(LogLines(), {"691", "2150", "2226", "3263"}), Lines{"691"}) << "the step code as before";
}

TEST_F(RestoreTest, DecliningEndsTheStartAsBeforeWithoutWritingAFile)
{
    WriteFileBytes("student.lumora", {1, 2, 3});
    const auto listing = [] {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator("."))
            if (entry.path().filename() != "log.txt")
                names.insert(entry.path().string() + ":" + std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
        return names;
    };
    const auto before = listing();
    ScriptAnswers({AnswerNo});
    EXPECT_EQ(RunLumoraToAFailedStart(), 0);
    EXPECT_EQ(LogLines(), (Lines{"691", "2150", "2226", "3263"}));
    ASSERT_EQ(AskedSince(), 1u) << "the offer only; its No ends the start";
    EXPECT_NE(Asked(0).text.find("from Monday 7 December 2026, with 3 characters learned"), std::string::npos)
        << Asked(0).text;
    EXPECT_EQ(listing(), before);
    EXPECT_EQ(ReadFileBytes("student.lumora"), (Bytes{1, 2, 3}));
}

TEST_F(RestoreTest, HelpRestoreRecordsGoesBackToTheChosenCopyKeepingThePresentRecords)
{
    EXPECT_EQ(QString::fromUtf8("&Restore records\u2026"), QString::fromUtf8("&Restore records…"));
    static Lines rows;
    rows.clear();
    DialogOpened = [](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("Backups"));
        ASSERT_NE(list, nullptr);
        for (int row = 0; row < list->count(); ++row)
            rows.push_back(list->item(row)->text().toStdString());
        EXPECT_EQ(list->currentRow(), 0) << "the newest is chosen first";
        list->setCurrentRow(2);
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->isDefault())
                button->click();
    };
    ScriptAnswers({AnswerYes});
    static int learned;
    EXPECT_EQ(RunLumora([] {
                  QAction* restore = MainWindow->Command(IDM_RESTORE);
                  ASSERT_NE(restore, nullptr);
                  EXPECT_EQ(restore->text().toStdString(), "&Restore records\u2026");
                  App.CharTable[0x5010].Good = 5;  // an answer not yet saved
                  restore->trigger();
                  learned = LearnedInMemory();
                  SendAbort(0);
              }),
              1);
    EXPECT_EQ(rows, (Lines{"Monday 7 December 2026: 3 characters learned", "Sunday 6 December 2026: 2 characters learned",
                           "Saturday 5 December 2026: 1 character learned"}));
    ASSERT_EQ(AskedSince(), 2u) << "the confirmation, then what was done";
    EXPECT_NE(Asked(0).text.find("Go back to your records of Saturday 5 December 2026, with 1 character learned?"),
              std::string::npos)
        << Asked(0).text;
    EXPECT_NE(Asked(1).text.find("kept as \"student.lumora.replaced-2026-12-08\""), std::string::npos) << Asked(1).text;
    EXPECT_EQ(learned, 1);
    EXPECT_EQ(ReadFileBytes("student.lumora"), Learned(1));
    const Bytes kept = ReadFileBytes("student.lumora.replaced-2026-12-08");
    ASSERT_EQ(kept.size(), static_cast<std::size_t>(LearnerFileSize));
    EXPECT_EQ(kept[2 + 8 * 0x5010 + 2], 5) << "the present records were saved before they were kept aside";
}

}  // namespace
