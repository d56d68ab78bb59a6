// The process entry: Qt's application object around the program's own entry point.
#include <QApplication>

#include "shell/winmain.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return Winmain();
}
