// Where each part of the drawing area stands, in logical pixels, right and bottom edges excluded:
// read by the drawing operations and by the generator of the background pictures.
#pragma once
#include "data/types.h"

constexpr int DrawingWidth = 600;
constexpr int DrawingHeight = 380;

// The glyph box: a frame with the glyph's top left dot 3 pixels in, alone or, with both forms of a
// character, two frames side by side that share one pixel column.
constexpr int FrameTop = 17;
constexpr int SingleFrameLeft = 97;
constexpr int LeftFrameLeft = 84;
constexpr int RightFrameLeft = 113;
constexpr int FrameInset = 3;
constexpr Rect GlyphBoxArea = {84, 17, 143, 47};

// The entry rows A to C, 30 pixels apart. Each has its label and meaning on the left and its
// answer box on the right; the typed text starts 2 pixels into the box, and a box drawn for a
// typed text is as tall as the row's label.
constexpr int RowTop(int row) { return 47 + 30 * row; }
constexpr Rect RowTextArea(int row) { return {10, RowTop(row) + 2, 172, RowTop(row) + 30}; }
constexpr Rect AnswerBoxPlace(int row) { return {180, RowTop(row), 239, RowTop(row) + 18}; }
constexpr Rect RowArea(int row) { return {10, RowTop(row), 239, RowTop(row) + 30}; }
constexpr int TypedLeft = 182;

// The level bar with its number, the scale under it and the up/down indicator beside the number.
constexpr Rect LevelBarArea = {10, 151, 210, 157};
constexpr Rect LevelNumberArea = {213, 151, 238, 159};
constexpr Rect ScaleArea = {2, 162, 239, 169};
constexpr int UpDownLeft = 240;
constexpr int UpDownTop = 150;

// The chart of the last eight exams with the labels over its bars and the ages under them; the
// baseline lies 20 pixels above the bottom.
constexpr Rect ChartArea = {10, 193, 265, 370};

// The example words: at most eight rows, 44 pixels apart from the panel's top, each a word's
// frames on a 29-pixel pitch from the panel's left edge and its texts beside them. The first row's
// texts start 2 pixels above the panel, the last row's may end 2 pixels below it.
constexpr Rect ExamplePanel = {325, 25, 580, 370};
constexpr int ExampleRows = 8;
constexpr int ExampleRowStep = 44;
constexpr int ExamplePitch = 29;
constexpr Rect ExampleTextArea = {325, 23, 580, 372};

// Every area the drawing operations fill with the panel yellow. The background pictures carry the
// same yellow under all of them, so that an erase leaves no trace.
constexpr Rect YellowAreas[] = {
    GlyphBoxArea,
    RowTextArea(0),     RowTextArea(1),    RowTextArea(2),
    AnswerBoxPlace(0),  AnswerBoxPlace(1), AnswerBoxPlace(2),
    ChartArea,
    ExampleTextArea,
};
