// The main window: its drawing area, menu and status bar, window creation, painting, commands and
// the close sequence.
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPaintEvent>
#include <QRegion>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "data/file_places.h"
#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/caret.h"
#include "display/dialogs.h"
#include "engine/drawing.h"
#include "engine/exam.h"
#include "engine/input.h"
#include "engine/results.h"
#include "engine/selection.h"
#include "engine/window.h"
#include "shell/load_data.h"
#include "shell/pictures.h"
#include "shell/platform.h"
#include "shell/speech.h"
#include "shell/restore.h"

LumoraWindow* MainWindow = nullptr;
bool QuitRequested = false;
int QuitCode = 0;

namespace {

QTextBrowser* HelpWindow = nullptr;

struct MenuItem {
    int id;
    const char* text;
};

// Right edges of the status bar parts lie at 135, 400 and 650 pixels.
constexpr int StatusPartLeft[3] = {0, 135, 400};
constexpr int StatusPartWidth[3] = {135, 265, 250};

// A menu in which a greyed item takes no part in mnemonic matching: "Start E&xam" and "End E&xam"
// share their letter, and only one of them is ever enabled, so the letter alone picks that one.
class CommandMenu : public QMenu {
public:
    CommandMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        QAction* match = nullptr;
        int matches = 0;
        const QString typed = event->text().toLower();
        const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (plain && typed.size() == 1 && typed[0].isLetterOrNumber()) {
            for (QAction* action : actions()) {
                if (action->isSeparator() || !action->isEnabled() || !action->isVisible())
                    continue;
                const QString text = action->text();
                const qsizetype amp = text.indexOf(QLatin1Char('&'));
                if (amp >= 0 && amp + 1 < text.size() && text[amp + 1].toLower() == typed[0]) {
                    match = action;
                    ++matches;
                }
            }
        }
        if (matches != 1) {
            QMenu::keyPressEvent(event);
            return;
        }
        // Chosen as if highlighted and confirmed, so that the menu closes the usual way.
        setActiveAction(match);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QMenu::keyPressEvent(&enter);
    }
};

void OpenHelp()
{
    if (HelpWindow == nullptr) {
        HelpWindow = new QTextBrowser(nullptr);
        HelpWindow->setWindowTitle(QStringLiteral("Lumora Help"));
        HelpWindow->resize(640, 600);
        HelpWindow->setOpenExternalLinks(true);
        if (MainWindow != nullptr)
            HelpWindow->move(MainWindow->frameGeometry().topLeft() + QPoint(40, 40));
    }
    const QFileInfo file(QString::fromLocal8Bit(ReadOnlyFile("lumora_help").c_str()));
    if (file.isFile() && file.isReadable()) {
        HelpWindow->setSource(QUrl::fromLocalFile(file.absoluteFilePath()), QTextDocument::HtmlResource);
    } else {
        HelpWindow->setPlainText(QStringLiteral("The help file \"lumora_help\" was not found in %1.\n\n"
                                                "It belongs beside the program, or in share/lumora of an installed program.")
                                     .arg(file.absolutePath()));
    }
    HelpWindow->show();
    HelpWindow->raise();
    HelpWindow->activateWindow();
}

}  // namespace

void CloseHelpWindow()
{
    delete HelpWindow;
    HelpWindow = nullptr;
}

void EndEventLoop(int code)
{
    QuitRequested = true;
    QuitCode = code;
    QCoreApplication::exit(code);
}

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent), blinkTimer_(new QTimer(this))
{
    setFixedSize(DrawingWidth, DrawingHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0) {
        connect(blinkTimer_, &QTimer::timeout, this, &DrawingArea::Blink);
        blinkTimer_->start(flash / 2);
    }
}

void DrawingArea::Blink()
{
    caretOn_ = !caretOn_;
    if (CaretVisible())
        update(CaretRect());
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    // Painted at the screen's own resolution: a new ratio (the window moved to another screen,
    // the desktop's scale changed) starts a backing image of the new size.
    SetDrawingRatio(devicePixelRatioF());
    if (RebuildPending()) {
        LogTrace("WM_PAINT");
        OnPaint();
    }
    QPainter painter(this);
    PaintDrawingArea(painter, event->rect());
    if (caretOn_)
        PaintCaret(painter, event->rect());
}

void DrawingArea::keyPressEvent(QKeyEvent* event)
{
    // Alt combinations belong to the menu, as system keys did.
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        OnChar(8);
        return;
    }
    if (event->key() == Qt::Key_Space) {
        OnChar(32);
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const QChar c : text) {
        // An answer that could not be processed ends the run; the rest of the keys go nowhere.
        if (QuitRequested)
            break;
        OnChar(c.unicode());
    }
}

LumoraWindow::LumoraWindow()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      area_(new DrawingArea(this))
{
    setCentralWidget(area_);
    BuildMenu();
    // A new window starts from a blank area: its first paint builds everything.
    MarkForRebuild();
    setFocusProxy(area_);
    area_->setFocus();
}

LumoraWindow::~LumoraWindow() = default;

void LumoraWindow::BuildMenu()
{
    struct Menu {
        const char* title;
        std::initializer_list<MenuItem> items;
    };
    // Menu 144 with Speak and Sound added; id 0 stands for the one separator, between End Exam and Quit.
    const Menu menus[] = {
        {"&Actions", {{IDM_NEXT, "&Next"}, {IDM_SPEAK, "&Speak"}, {IDM_BEGIN, "Start E&xam"}, {IDM_END, "End E&xam"},
                      {0, nullptr}, {IDM_QUIT, "&Quit"}}},
        {"&Settings", {{IDM_CHAROPTIONS, "&Character"}, {IDM_EXAMOPTIONS, "&Exam"}, {IDM_SOUND, "S&ound"}}},
        {"&Help", {{IDM_ABOUT, "&About"}, {IDM_HELP, "&Help"}, {IDM_RESTORE, "&Restore records\u2026"}}},
    };
    for (const Menu& menu : menus) {
        QMenu* popup = new CommandMenu(QString::fromLatin1(menu.title), menuBar());
        menuBar()->addMenu(popup);
        for (const MenuItem& item : menu.items) {
            if (item.id == 0) {
                popup->addSeparator();
                continue;
            }
            QAction* action = popup->addAction(QString::fromUtf8(item.text));
            action->setData(item.id);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [id] { OnCommand(id); });
        }
    }
    PrepareSoundCommands(this);
}

QAction* LumoraWindow::Command(int id) const
{
    for (QAction* top : menuBar()->actions()) {
        if (top->menu() == nullptr)
            continue;
        for (QAction* action : top->menu()->actions()) {
            if (!action->isSeparator() && action->data().toInt() == id)
                return action;
        }
    }
    return nullptr;
}

bool LumoraWindow::BuildStatusBar()
{
    QStatusBar* bar = new QStatusBar(this);
    bar->setSizeGripEnabled(false);
    // The small face of the original status bar: its longest texts fit their parts.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    bar->setFont(font);
    // The parts stand at fixed places, as the original's did; the last one runs past the
    // window's right edge and is cut off there.
    int height = 0;
    for (int i = 0; i < 3; ++i) {
        QLabel* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPart%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        height = qMax(height, label->sizeHint().height() + 2);
        StatusParts[i] = label;
    }
    for (int i = 0; i < 3; ++i)
        StatusParts[i]->setGeometry(StatusPartLeft[i], 1, StatusPartWidth[i], height - 2);
    bar->setFixedHeight(height);
    setStatusBar(bar);
    // Not resizable: the window keeps the size of its drawing area, menu and status bar.
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(DrawingWidth, menuHeight + DrawingHeight + height);
    return true;
}

void LumoraWindow::BringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void LumoraWindow::closeEvent(QCloseEvent* event)
{
    // A close from the window manager (close box, Alt+F4) arrives as the system command first.
    if (event->spontaneous())
        LogTrace("SC_CLOSE");
    LogTrace("WM_CLOSE");
    if (QuitRequested) {
        event->accept();
        return;
    }
    if (!OnQuit()) {
        event->ignore();
        return;
    }
    // The position is saved after the window is gone, so it is taken now.
    const QRect frame = frameGeometry();
    App.ClosingWindowRect = Rect{frame.left(), frame.top(), frame.left() + frame.width(),
                                 frame.top() + frame.height()};
    EndEventLoop(2);
    event->accept();
}

void LumoraWindow::moveEvent(QMoveEvent* event)
{
    LogTrace("WM_WINDOWPOSCHANGED");
    QMainWindow::moveEvent(event);
}

void LumoraWindow::resizeEvent(QResizeEvent* event)
{
    LogTrace("WM_SIZE");
    QMainWindow::resizeEvent(event);
}

// Keeps at least the title bar on a screen, so that a position saved on a larger or a vanished
// screen does not put the window out of reach.
static QPoint VisiblePosition(int x, int y)
{
    const QPoint grip(x + 40, y + 10);
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(grip))
            return QPoint(x, y);
    }
    return QPoint(50, 50);
}

int OnCreate(LumoraWindow* window)
{
    LogTrace("OnCreate");
    LoadPictureFile(ReadOnlyFile("bktrain_de.jpg").c_str(), TrainingPicture);
    LoadPictureFile(ReadOnlyFile("bkexam_de.jpg").c_str(), ExamPicture);
    if (TrainingPicture == nullptr || ExamPicture == nullptr) {
        LogStep(2172);
        return -1;
    }
    // A run starts in training: the exam picture's pixels wait for the first exam.
    ShownPicture(true);
    if (!window->BuildStatusBar()) {
        LogStep(2182);
        return -1;
    }
    MainWindow = window;
    DrawingWidget = window->Area();
    SetDrawingRatio(window->devicePixelRatioF());
    ConnectWindowServices();

    if (!LoadData()) {
        LogStep(2226);
        return -1;
    }

    window->move(VisiblePosition(App.WindowPosX, App.WindowPosY));
    window->setWindowTitle(QStringLiteral("Lumora"));

    if (App.TrainingMode)
        EnableCommand(IDM_END, false);
    else
        EnableCommand(IDM_BEGIN, false);
    EnableCommand(IDM_NEXT, false);

    UpdateLevel();
    UpdateStatusBar();
    return 0;
}

int OnPaint()
{
    // The background goes only where the area was invalidated; the drawing operations then paint
    // their parts whole, as they would with their own device context.
    const QRegion region = BeginRebuild();
    const QImage* picture = ShownPicture(App.TrainingMode);
    for (const QRect& area : region)
        DrawBackground(BackingImage(), area, picture);
    const QRect changed = region.boundingRect();
    UpdateDrawingArea(changed.left(), changed.top(), changed.left() + changed.width(),
                      changed.top() + changed.height());

    ShowChar();
    const int rows = App.ReadingCount < 0 ? 0 : (App.ReadingCount > 3 ? 3 : App.ReadingCount);
    for (int i = 0; i < rows; ++i)
        ShowEntry(i, 1);
    ShowLevelBar();
    ShowScales();
    ShowProgress();
    if (App.Answered)
        ShowExamples();
    EndRebuild();
    return 1;
}

void OnCommand(int id)
{
    switch (id) {
    case IDM_NEXT:
        LogTrace("IDM_NEXT");
        PrepareNextChar();
        break;
    case IDM_BEGIN:
        LogTrace("IDM_BEGIN");
        OnBeginExam();
        break;
    case IDM_QUIT:
        LogTrace("IDM_QUIT");
        if (MainWindow != nullptr)
            MainWindow->close();
        break;
    case IDM_ABOUT:
        RunAbout();
        // Whatever the dialog left to repaint is painted now, not later.
        if (MainWindow != nullptr)
            MainWindow->Area()->repaint();
        break;
    case IDM_HELP:
        LogTrace("IDM_HELP");
        OpenHelp();
        break;
    case IDM_CHAROPTIONS:
        LogTrace("IDM_CHAROPTIONS");
        RunCharOptions();
        break;
    case IDM_EXAMOPTIONS:
        LogTrace("IDM_EXAMOPTIONS");
        RunExamOptions();
        break;
    case IDM_END:
        LogTrace("IDM_END");
        OnEndExam();
        break;
    case IDM_SPEAK:
        LogTrace("IDM_SPEAK");
        OnSpeak();
        break;
    case IDM_SOUND:
        LogTrace("IDM_SOUND");
        OnSoundToggled();
        break;
    case IDM_RESTORE:
        LogTrace("IDM_RESTORE");
        RunRestoreRecords();
        break;
    default:
        break;
    }
}
