// Restoring the learner's records from a backup.
#include "shell/restore.h"

#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>
#include <string>
#include <vector>

#include "data/backups.h"
#include "data/file_faults.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "display/caret.h"
#include "display/dialogs.h"
#include "engine/drawing.h"
#include "engine/results.h"
#include "engine/selection.h"
#include "engine/window.h"
#include "shell/file_messages.h"
#include "shell/main_window.h"

bool RestoreDeclined = false;

namespace {

// "Monday 7 December 2026".
std::string DateWords(const std::string& date)
{
    const QDate day = QDate::fromString(QString::fromStdString(date), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        return date;
    return QLocale::c().toString(day, QStringLiteral("dddd d MMMM yyyy")).toStdString();
}

std::string BaseName(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LearnedText(int learned)
{
    return std::to_string(learned) + (learned == 1 ? " character" : " characters") + " learned";
}

// The start's offer; 1 when the backup was restored and loads.
int OfferRestore(const Backup& backup)
{
    const FileFault fault = LastFileFault;
    const std::string aside = BaseName(FreeAsideName(App.Files.Learner.c_str(), "damaged"));
    const std::string text = "Lumora cannot read your records.\n\n" + WhyFileUnreadable(fault) +
                             "\n\nThe newest backup that loads is from " + DateWords(backup.date) + ", with " +
                             LearnedText(backup.learned) + ":\n" + backup.path + "\n\nRestore it now? The damaged file is kept as \"" +
                             aside + "\" beside your records. Choose No to stop Lumora without changing any file.";
    if (AskLearner(text.c_str(), "Lumora", AskYesNo, 0) != AnswerYes) {
        RestoreDeclined = true;
        return 0;
    }
    std::string movedTo;
    int error = 0;
    if (!RestoreBackup(backup, "damaged", movedTo, error)) {
        const std::string failed = "Lumora could not restore the backup: " + std::string(std::strerror(error)) +
                                   ".\n\nYour records file is left as it was.";
        AskLearner(failed.c_str(), "Lumora", AskOk, 0);
        RestoreDeclined = true;
        return 0;
    }
    ForgetFileFault();
    return LoadStudentFile();
}

// The list of backups; the chosen one, or null when the learner cancelled.
const Backup* ChooseBackup(const std::vector<Backup>& backups)
{
    QDialog dialog(MainWindow);
    dialog.setWindowTitle(QStringLiteral("Restore records"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QStringLiteral("Lumora keeps a copy of your records from the first save of each day.\n"
                                            "Choose the one to go back to. Your present records are kept aside."),
                             &dialog);
    layout->addWidget(label);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("Backups"));
    for (const Backup& backup : backups) {
        const std::string row = DateWords(backup.date) + ": " +
                                (backup.loads ? LearnedText(backup.learned) : std::string("damaged, cannot be restored"));
        auto* item = new QListWidgetItem(QString::fromStdString(row), list);
        if (!backup.loads)
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    }
    for (int row = 0; row < list->count(); ++row) {
        if (backups[static_cast<std::size_t>(row)].loads) {
            list->setCurrentRow(row);
            break;
        }
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* restore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    restore->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(420, 300);
    if (DialogOpened != nullptr) {
        QDialog* open = &dialog;
        QTimer::singleShot(0, open, [open] {
            DialogOpened(open);
            if (open->isVisible())
                open->done(QDialog::Rejected);
        });
    }
    const int result = dialog.exec();
    ReturnFocusToDrawingArea();
    const int row = list->currentRow();
    if (result != QDialog::Accepted || row < 0 || !backups[static_cast<std::size_t>(row)].loads)
        return nullptr;
    return &backups[static_cast<std::size_t>(row)];
}

// The window shows the restored records: the head of their queue in training, their level.
void ShowRestoredRecords()
{
    if (App.TrainingMode) {
        SetCurrentChar();
        EnableCommand(IDM_NEXT, false);
    }
    UpdateLevel();
    UpdateStatusBar();
    RepaintMainWindow();
}

}  // namespace

int LoadStudentOrRestore()
{
    if (LoadStudent())
        return 1;
    if (!IsLearnerFileFault(LastFileFault))
        return 0;
    const Backup backup = NewestLoadableBackup();
    if (backup.path.empty())
        return 0;
    return OfferRestore(backup);
}

void RunRestoreRecords()
{
    const std::vector<Backup> backups = ListBackups();
    if (backups.empty()) {
        const std::string text = "There is no backup of your records yet. Lumora makes one at the first save of "
                                 "each day, in the folder\n" + BackupFolder();
        AskLearner(text.c_str(), "Lumora", AskOk, 1);
        return;
    }
    const Backup* chosen = ChooseBackup(backups);
    if (chosen == nullptr)
        return;
    const std::string aside = BaseName(FreeAsideName(App.Files.Learner.c_str(), "replaced"));
    const std::string question = "Go back to your records of " + DateWords(chosen->date) + ", with " +
                                 LearnedText(chosen->learned) + "?\n\nYour present records are saved and kept as \"" + aside +
                                 "\" beside them.";
    if (AskLearner(question.c_str(), "Lumora", AskYesNo, 1) != AnswerYes)
        return;
    // Saved first, so the file kept aside holds every answer given so far.
    if (!SaveDataWithoutPause())
        return;
    std::string movedTo;
    int error = 0;
    if (!RestoreBackup(*chosen, "replaced", movedTo, error)) {
        const std::string failed = "Lumora could not restore the backup: " + std::string(std::strerror(error)) +
                                   ".\n\nYour records are left as they were.";
        AskLearner(failed.c_str(), "Lumora", AskOk, 1);
        return;
    }
    if (!LoadStudentFile()) {
        // The copy loaded a moment ago; should it fail now, nothing half-loaded may be saved.
        AskLearner("Fatal error: the restored records could not be loaded!", "Lumora", AskOk, 1);
        SendAbort(0);
        return;
    }
    ShowRestoredRecords();
    const std::string done = "Your records are back as they were on " + DateWords(chosen->date) +
                             ". The records you had until now are kept as \"" + BaseName(movedTo) + "\".";
    AskLearner(done.c_str(), "Lumora", AskOk, 1);
}
