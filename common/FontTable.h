// The four font faces and the point-size table every window of the program uses.
#pragma once

struct FontRequest {
    const char* face;
    int height;  // negative: em height in pixels
    int weight;
};

// Face kind 0-3 ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ 明朝"), size 8-18.
// False for anything outside those ranges.
bool LookUpFont(int faceKind, int pointSize, bool bold, FontRequest* request);
const char* FontFaceName(int faceKind);
