// The three modal dialogs; each returns when its OK button was pressed.
#pragma once

void RunCharOptions();  // dialog 155 "Character Display Options"
void RunExamOptions();  // dialog 156 "Exam Settings"
void RunAbout();        // dialog 154 "Lumora - About"
