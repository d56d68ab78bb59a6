// The window layer's side of the services the engine asks of its main window.
#pragma once

// Connects the engine to the main window's services (commands, abort, repaint, caret). Each does
// nothing while there is no main window.
void ConnectWindowServices();
