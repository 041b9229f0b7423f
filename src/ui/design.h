#pragma once
// The window as designed: what both front ends create before Form_Load runs.

#include "ui/controls.h"

namespace tarvo::design {

inline constexpr const char* kCaption = "Tarvo - Generic Frontend by Quillan";
inline constexpr const char* kTitle = "Tarvo";
inline constexpr float kClientWidth = 7380;
inline constexpr float kClientHeight = 4995;
inline constexpr float kTwipsPerInch = 1440;

inline constexpr Rect kList1{0, 45, 2445, 4350};
inline constexpr Rect kCommand1{2490, 3990, 4905, 750};
inline constexpr Rect kImage1{2475, 30, 4905, 3915};

inline constexpr const char* kPlayCaption = "Play";
inline constexpr const char* kListName = "ROMs";  // what a screen reader calls List1
inline constexpr const char* kListFont = "MS Sans Serif";
inline constexpr double kListFontPoints = 9.75;
inline constexpr double kPlayFontPoints = 12;
inline constexpr unsigned kListBackground = 0xFFFFFF;  // RGB
inline constexpr unsigned kListText = 0x0000FF;        // pure blue

inline constexpr const char* kFindName = "Find";  // what a screen reader calls the find line
inline constexpr float kFindHeight = 330;         // twips, under the list

}  // namespace tarvo::design
