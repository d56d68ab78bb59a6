// The caret of the entry rows, and the keyboard's way back to the drawing area.
#pragma once

class QPainter;
class QRect;

// One caret per window, a new one replaces the old; it starts hidden.
void CreateCaret(int width, int height);
void SetCaretPos(int x, int y);
void ShowCaret();
// Removes the caret; the engine reaches it as DestroyCaret through the window services.
void RemoveCaret();
bool CaretVisible();
QRect CaretRect();
// Draws the caret, when shown, inverted over the part of the backing image exposed on the screen.
void PaintCaret(QPainter& painter, const QRect& exposed);

// Gives the keyboard back to the drawing area once a dialog or message box has closed, so that
// the next answer can be typed at once, whatever the window manager activates then.
void ReturnFocusToDrawingArea();
