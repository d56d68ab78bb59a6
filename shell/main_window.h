// The main window: drawing area, menu, status bar, and the handlers behind them.
#pragma once
#include <QMainWindow>
#include <QWidget>

class QAction;
class QRect;
class QTimer;

// The fixed 600x380 drawing area. Painting copies the backing image (rebuilt first by OnPaint when
// it was invalidated) and draws the blinking caret; typed characters go to the engine.
class DrawingArea : public QWidget {
    Q_OBJECT
public:
    explicit DrawingArea(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Blink();
    QTimer* blinkTimer_;
    bool caretOn_ = true;
};

class LumoraWindow : public QMainWindow {
    Q_OBJECT
public:
    LumoraWindow();
    ~LumoraWindow() override;

    // The menu action of a command id, or null.
    QAction* Command(int id) const;
    // The status bar with its three parts; false when it could not be made.
    bool BuildStatusBar();
    DrawingArea* Area() const { return area_; }
    // Raises and activates the window, as asked by a second copy of the program.
    void BringToFront();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenu();
    DrawingArea* area_;
};

// The one main window; null before OnCreate and after the run.
extern LumoraWindow* MainWindow;

// Window creation: pictures, status bar, loading, placement, title, menu states. 0 or -1.
int OnCreate(LumoraWindow* window);
// Rebuilds the whole backing image: white, background picture, character, rows, panels, examples.
int OnPaint();
// The command dispatcher for menu ids.
void OnCommand(int id);

// How the event loop ended: set by the close sequence (2) and by SendAbort (its code).
extern bool QuitRequested;
extern int QuitCode;
void EndEventLoop(int code);

// The help window opened by Help, if any; closed at the end of the run.
void CloseHelpWindow();
