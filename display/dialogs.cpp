// The Character Display Options, Exam Settings and About dialogs. Built in code with the ids,
// texts, groups, order and sizes of the original templates; OK is the only way out.
#include "display/dialogs.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "data/log.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/caret.h"
#include "display/text.h"
#include "engine/drawing.h"

DialogHook DialogOpened = nullptr;

namespace {

const char* const VersionText = "2004 release 3C";
const int NoId = -1;  // static controls carry no id of their own

// Dialog units of "MS Sans Serif" 8 on a 96-dpi screen: 1.5 pixels across, 1.625 down.
int Across(int units)
{
    return (units * 3 + 1) / 2;
}

int Down(int units)
{
    return (units * 13 + 4) / 8;
}

QRect UnitRect(int x, int y, int width, int height)
{
    return QRect(Across(x), Down(y), Across(width), Down(height));
}

// A modal dialog without close box whose only way out is its OK button.
class FixedDialog : public QDialog {
public:
    FixedDialog(const char* caption, int width, int height)
        : QDialog(DrawingWidget != nullptr ? DrawingWidget->window() : nullptr,
                  Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    {
        setWindowTitle(QString::fromLatin1(caption));
        // "MS Sans Serif" where it exists, else a face of the same narrow build: the controls are
        // sized for it, and a wider face would cut their texts.
        QFont font;
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(static_cast<int>(LogPixelsY * 8 / 72.0 + 0.5));
        setFont(font);
        setFixedSize(Across(width), Down(height));
    }

    // Escape and close requests land here; there is no Cancel, so they do nothing.
    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

void Identify(QWidget* control, int id)
{
    control->setProperty("id", id);
    if (id != NoId) control->setObjectName(QString::number(id));
}

QPushButton* AddOk(QDialog* dialog, int x, int y, int width, int height)
{
    QPushButton* button = new QPushButton(QStringLiteral("&OK"), dialog);
    Identify(button, IDC_OK);
    button->setGeometry(UnitRect(x, y, width, height));
    button->setDefault(true);
    return button;
}

QRadioButton* AddRadio(QDialog* dialog, QButtonGroup* group, int id, const char* text, int x, int y, int width,
                       int height)
{
    QRadioButton* button = new QRadioButton(QString::fromLatin1(text), dialog);
    Identify(button, id);
    button->setGeometry(UnitRect(x, y, width, height));
    group->addButton(button, id);
    return button;
}

QLabel* AddLabel(QDialog* dialog, int id, const char* text, int x, int y, int width, int height)
{
    QLabel* label = new QLabel(QString::fromLatin1(text), dialog);
    Identify(label, id);
    label->setGeometry(UnitRect(x, y, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// An icon control takes the size of its icon, whatever the template says.
QLabel* AddIcon(QDialog* dialog, int x, int y)
{
    QLabel* icon = new QLabel(dialog);
    Identify(icon, NoId);
    icon->setObjectName(QStringLiteral("icon102"));
    const QPixmap picture(QStringLiteral(":/icon102.png"));
    icon->setPixmap(picture);
    const QRect place = UnitRect(x, y, 0, 0);
    icon->setGeometry(place.left(), place.top(), picture.isNull() ? 32 : picture.width(),
                      picture.isNull() ? 32 : picture.height());
    return icon;
}

QButtonGroup* NewGroup(QDialog* dialog)
{
    QButtonGroup* group = new QButtonGroup(dialog);
    group->setExclusive(true);
    return group;
}

void Check(QDialog* dialog, int id)
{
    if (QRadioButton* button = dialog->findChild<QRadioButton*>(QString::number(id))) button->setChecked(true);
}

bool Checked(QDialog* dialog, int id)
{
    const QRadioButton* button = dialog->findChild<QRadioButton*>(QString::number(id));
    return button != nullptr && button->isChecked();
}

// Centres the dialog on the screen of its owner (or the primary screen) and runs it modally.
void RunModal(QDialog& dialog)
{
    QScreen* screen = dialog.parentWidget() != nullptr ? dialog.parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    if (DialogOpened != nullptr) {
        QDialog* open = &dialog;
        QTimer::singleShot(0, open, [open] {
            DialogOpened(open);
            if (open->isVisible()) open->done(0);
        });
    }
    dialog.exec();
    ReturnFocusToDrawingArea();
}

}  // namespace

void RunCharOptions()
{
    FixedDialog dialog("Character Display Options", 150, 90);
    QPushButton* ok = AddOk(&dialog, 80, 70, 60, 14);
    QButtonGroup* characters = NewGroup(&dialog);
    AddRadio(&dialog, characters, 1021, "Traditional", 80, 12, 49, 10);
    AddRadio(&dialog, characters, 1022, "Simplified", 80, 24, 45, 10);
    AddIcon(&dialog, 10, 9);
    QButtonGroup* examples = NewGroup(&dialog);
    AddRadio(&dialog, examples, 1024, "Traditional", 80, 38, 49, 10);
    AddRadio(&dialog, examples, 1025, "Simplified", 80, 49, 51, 12);
    AddLabel(&dialog, NoId, "Characters", 39, 12, 37, 15);
    AddLabel(&dialog, NoId, "Examples", 39, 39, 37, 15);

    LogTrace("CharOptions");
    Check(&dialog, (App.DisplayOptions & CharsSimplified) ? 1022 : 1021);
    Check(&dialog, (App.DisplayOptions & ExamplesSimplified) ? 1025 : 1024);

    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] {
        const int old = App.DisplayOptions;
        int options = 0;
        if (Checked(&dialog, 1022)) options += CharsSimplified;
        if (Checked(&dialog, 1025)) options += ExamplesSimplified;
        App.DisplayOptions = options;
        if ((old ^ options) & CharsSimplified) ShowChar();
        if ((old ^ options) & ExamplesSimplified) ShowExamples();
        dialog.done(1);
    });
    RunModal(dialog);
}

void RunExamOptions()
{
    FixedDialog dialog("Exam Settings", 200, 90);
    // The OK button opens the level group and the first label the length group; each set of
    // three is exclusive by itself.
    QButtonGroup* level = NewGroup(&dialog);
    QPushButton* ok = AddOk(&dialog, 130, 70, 60, 14);
    AddRadio(&dialog, level, 1030, "Beginner", 50, 27, 55, 10);
    AddRadio(&dialog, level, 1029, "Intermediate", 50, 38, 55, 10);
    AddRadio(&dialog, level, 1028, "Advanced", 50, 50, 49, 10);
    QButtonGroup* length = NewGroup(&dialog);
    AddLabel(&dialog, NoId, "Select exam level:", 40, 12, 84, 11);
    AddRadio(&dialog, length, 1034, "50", 125, 27, 55, 10);
    AddRadio(&dialog, length, 1035, "100", 125, 38, 55, 10);
    AddRadio(&dialog, length, 1036, "200", 125, 50, 49, 10);
    AddLabel(&dialog, NoId, "Select exam length:", 115, 12, 84, 11);
    AddIcon(&dialog, 10, 9);

    LogTrace("ExamOptions");
    // The lowest set bit decides; a value with none of the three bits leaves its group unmarked.
    const int levelIds[3] = {1030, 1029, 1028};
    const int lengthIds[3] = {1034, 1035, 1036};
    for (int bit = 0; bit < 3; ++bit)
        if (App.ExamLevel & (1 << bit)) {
            Check(&dialog, levelIds[bit]);
            break;
        }
    for (int bit = 0; bit < 3; ++bit)
        if (App.ExamLength & (1 << bit)) {
            Check(&dialog, lengthIds[bit]);
            break;
        }

    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] {
        App.ExamLevel = (Checked(&dialog, 1030) ? 1 : 0) + (Checked(&dialog, 1029) ? 2 : 0) +
                        (Checked(&dialog, 1028) ? 4 : 0);
        App.ExamLength = (Checked(&dialog, 1034) ? 1 : 0) + (Checked(&dialog, 1035) ? 2 : 0) +
                         (Checked(&dialog, 1036) ? 4 : 0);
        dialog.done(1);
    });
    RunModal(dialog);
}

void RunAbout()
{
    FixedDialog dialog("Lumora - About", 212, 121);
    QLabel* product = AddLabel(&dialog, 1027, "", 39, 20, 124, 12);
    QFrame* frame = new QFrame(&dialog);
    Identify(frame, NoId);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(UnitRect(33, 14, 154, 56));
    QPushButton* ok = AddOk(&dialog, 142, 98, 55, 14);
    AddIcon(&dialog, 8, 23);

    LogTrace("About");
    char text[64];
    std::snprintf(text, sizeof text, "Lumora %s", VersionText);
    product->setText(QString::fromLatin1(text));
    ok->setFocus();

    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(1); });
    RunModal(dialog);
}
