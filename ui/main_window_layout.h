// The main window's fixed parts and the rules of its size and place: the design sizes, the
// toolbar's buttons, the first placement in the desktop's centre, the scaling to the screen's
// resolution and the columns' share of the list's width.
#pragma once

#include <array>

#include "ui/geometry.h"

namespace tarnwick::ui {

inline constexpr const char* WindowCaption = "Tarnwick 1.0";

// Sizes at 96 dots per inch, where the window font's text height is 13.
inline constexpr int DesignDpi = 96;
inline constexpr int DesignTextHeight = 13;
inline constexpr int DesignFontHeight = -11;  // "Tahoma", 11 pixels of character height
inline constexpr int DesignClientWidth = 534;
inline constexpr int DesignClientHeight = 365;
// The smallest outer size, frame included.
inline constexpr int MinimumOuterWidth = 550;
inline constexpr int MinimumOuterHeight = 250;
inline constexpr int ToolbarHeight = 73;
inline constexpr int ButtonWidth = 70;
inline constexpr int ButtonHeight = 65;
// The gap each button keeps from its neighbours and from the toolbar's edge.
inline constexpr int ButtonMargin = 3;
inline constexpr int StatusHeight = 19;

struct ToolbarButton {
  const char* name;
  const char* caption;
  const char* hint;
  const char* picture;  // the picture's base name among the window's artwork
  int tabOrder;
  bool followsRightEdge;  // "About..." and "Exit" stay at the right edge
};

// In their order on screen from left to right.
inline constexpr std::array<ToolbarButton, 7> ToolbarButtons{{
    {"btn1", "Get Data", "Retrieve information for selected special folders", "get_data", 0, false},
    {"btn2", "Select All", "Select all folders", "select_all", 1, false},
    {"btn3", "Select None", "Unselect folders", "select_none", 2, false},
    {"btn6", "Export", "Export selected folders information to a csv file", "export", 5, false},
    {"btn7", "Clear", "Clear the listview", "clear", 6, false},
    {"btn5", "About...", "About Tarnwick", "about", 4, true},
    {"btn4", "Exit", "Exit Tarnwick", "exit", 3, true},
}};

inline constexpr const char* ListHint =
    "Special folders list, double click on a populated folder to explore it";
inline constexpr std::array<const char*, 3> ListColumns{"Folder", "Location", "Size"};

// Where a window of outer size `window` goes so that it is centred on `desktop`, the rectangle
// spanning all monitors: halves rounded down, the result kept inside the desktop's top left.
Point DesktopCenter(const Rect& desktop, Size window);

// value * numerator / denominator rounded to the nearest integer, halves away from zero, as the
// system's scaling rounds.
int MulDiv(int value, int numerator, int denominator);

// The window font's height at the screen's resolution.
int ScaledFontHeight(int screenDpi);
// A design size scaled by the text height the scaled font turned out to have.
int ScaleToTextHeight(int designValue, int textHeight);

// The three columns' widths for the list's client width: a third each, rounded down, and the
// remainder to "Folder".
std::array<int, 3> ColumnWidths(int clientWidth);

}  // namespace tarnwick::ui
