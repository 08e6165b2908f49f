#include "Fonts.h"

#include <cstring>

#include "FontTable.h"

namespace {

LOGFONTA MakeInitialRecord()
{
    LOGFONTA record = {};
    record.lfHeight = -11;
    record.lfWeight = FW_NORMAL;
    record.lfCharSet = SHIFTJIS_CHARSET;
    record.lfOutPrecision = OUT_STROKE_PRECIS;
    record.lfClipPrecision = CLIP_STROKE_PRECIS;
    record.lfQuality = DRAFT_QUALITY;
    record.lfPitchAndFamily = VARIABLE_PITCH | FF_MODERN;
    lstrcpynA(record.lfFaceName, FontFaceName(0), LF_FACESIZE);
    return record;
}

LOGFONTA g_fontRecord = MakeInitialRecord();

}  // namespace

const LOGFONTA& CurrentFontRecord() { return g_fontRecord; }

HFONT CreateVornFont(int faceKind, int pointSize, bool bold)
{
    FontRequest request;
    if (!LookUpFont(faceKind, pointSize, bold, &request))
        return nullptr;
    g_fontRecord.lfHeight = request.height;
    g_fontRecord.lfWeight = request.weight;
    lstrcpynA(g_fontRecord.lfFaceName, request.face, LF_FACESIZE);
    return CreateFontIndirectA(&g_fontRecord);
}
