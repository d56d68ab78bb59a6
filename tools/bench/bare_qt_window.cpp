// The floor for Lumora's start: what Qt 6 Widgets alone costs for a window like Lumora's, with
// a menu bar of three menus, a 600x380 drawing area and a status bar of three parts. Started by
// tools/bench/side_by_side.sh beside Lumora; it runs until it is killed.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    for (const char* title : {"&Actions", "&Settings", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("&Quit"), &application,
                                                                         &QApplication::quit);
    QWidget* area = new QWidget;
    area->setFixedSize(600, 380);
    window.setCentralWidget(area);
    // The status bar as Lumora makes it: its small face, no size grip, as tall as a sunken label.
    QStatusBar* bar = window.statusBar();
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    bar->setFont(small);
    bar->setSizeGripEnabled(false);
    int height = 0;
    for (const char* text : {"Enter pinyin", "You learned 0 of 8000 characters (0.00%)", "Answered 0 characters so far"}) {
        QLabel* label = new QLabel;
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(label);
        height = qMax(height, label->sizeHint().height() + 2);
        label->setText(QString::fromLatin1(text));
    }
    bar->setFixedHeight(height);
    window.setWindowTitle(QStringLiteral("Bare Qt"));
    window.show();
    return application.exec();
}
