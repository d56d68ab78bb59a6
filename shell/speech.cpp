// The sound of the main window. The trainer itself never loads anything of the sound stack: at the
// first sound it starts the helper "lumora-voice" and hands it the files to play through a pipe, so
// that decoding and playing happen in another process and no key ever waits for them. What plays
// is cut by the next decided character, a new character, Quit, and Sound turned off.
#include "shell/speech.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <string>
#include <vector>

#include "data/log.h"
#include "data/program_state.h"
#include "data/sound_choice.h"
#include "data/zhuyin.h"
#include "engine/speech.h"
#include "engine/window.h"
#include "shell/main_window.h"

QString VoiceHelper;

namespace {

bool SoundOn = true;
// Set for the rest of the run once the recordings, the helper or a sound server are found missing.
bool Unavailable = false;
// The decided character's recordings, for Speak; empty while nothing is decided.
std::vector<std::string> Decided;
QProcess* Helper = nullptr;
bool StartPending = false;  // the helper is to be started once the event loop runs again

void UpdateSpeakCommand()
{
    EnableCommand(IDM_SPEAK, SoundOn && !Unavailable && App.Answered && !Decided.empty());
}

void GiveUp(const QString& reason)
{
    if (!Unavailable) {
        Unavailable = true;
        LogNote(("sound: " + reason + "; the program stays silent").toLocal8Bit().constData());
    }
    // Called from the helper's own signals too: it is ended now and deleted once they have returned
    // and the process is gone (a QProcess deleted while its process runs warns on the terminal).
    if (Helper != nullptr) {
        QProcess* helper = Helper;
        Helper = nullptr;
        helper->disconnect();
        if (helper->state() == QProcess::NotRunning) {
            helper->deleteLater();
        } else {
            QObject::connect(helper, &QProcess::finished, helper, &QObject::deleteLater);
            helper->kill();
        }
    }
    UpdateSpeakCommand();
}

QString HelperPath()
{
    if (!VoiceHelper.isEmpty())
        return VoiceHelper;
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/lumora-voice");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return folder + QStringLiteral("/../lib/lumora/lumora-voice");
}

// Reads the helper's reports: a helper that finds no sound server says so and ends.
void ReadReports()
{
    while (Helper != nullptr && Helper->canReadLine()) {
        const QString line = QString::fromLocal8Bit(Helper->readLine()).trimmed();
        if (line.startsWith(QStringLiteral("failed")))
            GiveUp(QStringLiteral("no sound server (%1)").arg(line.mid(7)));
    }
}

bool StartHelper()
{
    const QString path = HelperPath();
    if (!QFileInfo(path).isExecutable()) {
        GiveUp(QStringLiteral("no sound helper at %1").arg(path));
        return false;
    }
    Helper = new QProcess;
    Helper->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(Helper, &QProcess::readyReadStandardOutput, ReadReports);
    QObject::connect(Helper, &QProcess::finished, [] {
        ReadReports();
        GiveUp(QStringLiteral("the sound helper ended"));
    });
    QObject::connect(Helper, &QProcess::errorOccurred, [](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            GiveUp(QStringLiteral("the sound helper could not be started"));
    });
    Helper->start(path, QStringList());
    return Helper != nullptr;
}

// Cuts what plays and, with files, plays them in order.
void Play(const std::vector<std::string>& files)
{
    if (!SoundOn || Unavailable)
        return;
    if (files.empty() && Helper == nullptr) {
        // Nothing to play may mean no recordings at all: then that is said once, and Speak stays grey.
        if (!QFileInfo(QString::fromStdString(VoiceFolder)).isDir())
            GiveUp(QStringLiteral("no recordings in %1 (the package gcin-voice)").arg(QString::fromStdString(VoiceFolder)));
        return;
    }
    if (Helper == nullptr) {
        // The helper is started once the key that decided has been handled and drawn, so that
        // starting a process never delays what the learner sees; it then plays what is decided.
        if (!StartPending) {
            StartPending = true;
            QTimer::singleShot(0, [] {
                StartPending = false;
                if (Helper == nullptr && !Decided.empty() && SoundOn && !Unavailable && StartHelper())
                    Play(Decided);
            });
        }
        return;
    }
    QByteArray commands("stop\n");
    for (const std::string& file : files)
        commands += "play " + QByteArray::fromStdString(file) + "\n";
    Helper->write(commands);
}

void SpeakQt(const std::vector<std::string>& files)
{
    Decided = files;
    Play(Decided);
    UpdateSpeakCommand();
}

void SilenceQt()
{
    Decided.clear();
    if (Helper != nullptr)
        Helper->write("stop\n");
    UpdateSpeakCommand();
}

const SpeechServices QtSpeechServices = {SpeakQt, SilenceQt};

}  // namespace

void PrepareSoundCommands(LumoraWindow* window)
{
    SoundOn = LoadSoundChoice() != 0;
    if (QAction* sound = window->Command(IDM_SOUND)) {
        sound->setCheckable(true);
        sound->setChecked(SoundOn);
    }
    if (QAction* speak = window->Command(IDM_SPEAK))
        speak->setEnabled(false);
    ConnectSpeech(&QtSpeechServices);
    static bool watchingQuit = false;
    if (!watchingQuit) {
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, EndSound);
        watchingQuit = true;
    }
}

void OnSpeak()
{
    Play(Decided);
}

void OnSoundToggled()
{
    SoundOn = !SoundOn;
    SaveSoundChoice(SoundOn ? 1 : 0);
    if (MainWindow != nullptr) {
        if (QAction* sound = MainWindow->Command(IDM_SOUND))
            sound->setChecked(SoundOn);
    }
    if (!SoundOn && Helper != nullptr)
        Helper->write("stop\n");
    UpdateSpeakCommand();
}

void EndSound()
{
    if (Helper == nullptr)
        return;
    QProcess* helper = Helper;
    Helper = nullptr;
    helper->disconnect();
    // The end of its input makes the helper cut the sound and end; one that does not is killed.
    helper->closeWriteChannel();
    if (!helper->waitForFinished(1000)) {
        helper->kill();
        helper->waitForFinished(1000);
    }
    delete helper;
}

void ResetSound()
{
    EndSound();
    SoundOn = true;
    Unavailable = false;
    StartPending = false;
    Decided.clear();
}
