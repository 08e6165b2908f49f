#include "FontTable.h"

namespace {

const char* const kFaces[] = {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ 明朝"};
// Heights for 8 .. 18 points as the program has always drawn them.
const int kHeights[] = {-11, -12, -13, -15, -16, -19, -19, -21, -21, -24, -24};

}  // namespace

const char* FontFaceName(int faceKind)
{
    return faceKind >= 0 && faceKind <= 3 ? kFaces[faceKind] : nullptr;
}

bool LookUpFont(int faceKind, int pointSize, bool bold, FontRequest* request)
{
    const char* face = FontFaceName(faceKind);
    if (!face || pointSize < 8 || pointSize > 18)
        return false;
    request->face = face;
    request->height = kHeights[pointSize - 8];
    request->weight = bold ? 700 : 400;
    return true;
}
