// The headless backend's screen, fixed so that sizes and layouts are exact.
//
// Text, rows and tabs are given in pixels at 96 DPI and scale with the DPI
// (ToPixelsX/ToPixelsY); edges do not scale, as the platform's do not.
#pragma once

namespace kv::headless {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kDefaultWindowX = 32;  // the "default position" of new windows
constexpr int kDefaultWindowY = 32;
// Windows have no frame: outer size and inner size are the same.

// Every character, whatever the font, is one cell; a line break starts a
// new line. Text is measured on these cells.
constexpr int kCharWidth = 7;
constexpr int kCharHeight = 15;

constexpr int kEdgeWidth = 2;   // 3-D edge
constexpr int kEdgeHeight = 2;
constexpr int kBorderWidth = 1;  // thin border

constexpr int kListRowHeight = 17;

// A frame draws its caption in a smaller caption font: cells kCharWidth x
// kCaptionHeight.
constexpr int kCaptionHeight = 13;

// Scroll areas: a border of one 3-D edge unless KV_ScrollArea_BorderLess;
// the bars are kScrollBarSize thick. Neither scales.
constexpr int kScrollBarSize = 17;

// A month calendar: seven columns of days and a title, at 96 DPI.
constexpr int kCalendarWidth = 178;
constexpr int kCalendarHeight = 158;

// An entry field's length limit until the program sets one.
constexpr int kDefaultTextLimit = 30000;

// Panels: one row of tabs kTabHeight high whose top is kTabTop below the
// panel's; the tab-row height a panel reports is the tab's top plus its
// bottom (24). With T = kTabHeight, a page lies at (2, T + 4) and is 4
// narrower and T + 6 lower than the panel.
constexpr int kTabTop = 2;
constexpr int kTabHeight = 20;

}  // namespace kv::headless
