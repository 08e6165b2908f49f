// Creating the program's fonts from the face kind and point size.
#pragma once

#include <windows.h>

// The process-wide font description: starts as "ＭＳ Ｐゴシック", height -11, weight 400,
// and each successful request overwrites face, height and weight.
const LOGFONTA& CurrentFontRecord();
// A new font the caller owns, or nullptr for a face kind outside 0-3 or a size outside 8-18.
HFONT CreateVornFont(int faceKind, int pointSize, bool bold);
