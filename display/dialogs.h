// The three modal dialogs; each returns when its OK button was pressed.
#pragma once

// The OK button of every dialog.
constexpr int IDC_OK = 1032;

void RunCharOptions();  // dialog 155 "Character Display Options"
void RunExamOptions();  // dialog 156 "Exam Settings"
void RunAbout();        // dialog 154 "Lumora - About"

class QDialog;

// Test seam: when set, called with each dialog once its modal loop runs, instead of waiting for a
// person. The hook clicks and presses keys as a learner would; a dialog it leaves open is closed
// without applying anything. Null in the program.
using DialogHook = void (*)(QDialog* dialog);
extern DialogHook DialogOpened;
