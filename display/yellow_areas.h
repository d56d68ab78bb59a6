// Every area the drawing operations fill with the panel yellow, with the rows their texts reach
// beyond their own rectangles (right and bottom excluded). The background pictures carry the
// same yellow under all of them, so that an erase leaves no trace.
#pragma once

struct PanelArea {
    int left;
    int top;
    int right;
    int bottom;
};

constexpr PanelArea YellowAreas[] = {
    {84, 17, 143, 47},                                         // the glyph box, one frame or two
    {10, 49, 172, 77},   {10, 79, 172, 107}, {10, 109, 172, 137},  // labels and meanings of rows A-C
    {180, 47, 239, 65},  {180, 77, 239, 95}, {180, 107, 239, 125}, // the answer boxes' places
    {10, 193, 265, 370},                                       // the exam chart with its texts
    {325, 23, 580, 372},                                       // the example words, first reading to last translation
};
