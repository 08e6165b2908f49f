#include "Prt.h"

#include <commdlg.h>

#include <cstring>

namespace vorn {

PrtObject::~PrtObject() { ReleaseJob(); }

void PrtObject::ReleaseJob()
{
    if (printer_) {
        if (pageOpen_)
            EndPage(printer_);
        if (documentOpen_)
            EndDoc(printer_);
        if (deviceFont_)
            SelectObject(printer_, deviceFont_);
        DeleteDC(printer_);
    }
    if (pageFont_)
        DeleteObject(pageFont_);
    if (devMode_)
        GlobalFree(devMode_);
    if (devNames_)
        GlobalFree(devNames_);
    printer_ = nullptr;
    devMode_ = devNames_ = nullptr;
    pageFont_ = deviceFont_ = nullptr;
    pageOpen_ = documentOpen_ = false;
}

void PrtObject::ReadDeviceMetrics()
{
    metrics_.physicalWidth = GetDeviceCaps(printer_, PHYSICALWIDTH);
    metrics_.physicalHeight = GetDeviceCaps(printer_, PHYSICALHEIGHT);
    metrics_.physicalOffsetX = GetDeviceCaps(printer_, PHYSICALOFFSETX);
    metrics_.physicalOffsetY = GetDeviceCaps(printer_, PHYSICALOFFSETY);
    ReadFontMetrics();
}

void PrtObject::ReadFontMetrics()
{
    TEXTMETRICA text = {};
    GetTextMetricsA(printer_, &text);
    metrics_.charWidth = text.tmAveCharWidth;
    metrics_.linePitch = text.tmHeight + text.tmExternalLeading;
    metrics_.pageWidth = metrics_.physicalWidth - 2 * metrics_.physicalOffsetX - metrics_.charWidth;
    // A font without height would divide by zero; such a page has no lines.
    metrics_.lines = metrics_.linePitch > 0
                         ? (metrics_.physicalHeight - 2 * metrics_.physicalOffsetY) / metrics_.linePitch - 1
                         : 0;
    metrics_.pageHeight = metrics_.linePitch * metrics_.lines;
}

STDMETHODIMP PrtObject::StartPrint(BSTR DocName, VARIANT bDefault, LONG* pVal)
{
    bool useDefault = false, given = false;
    VORN_CHECK(OptionalBool(bDefault, useDefault, &given));
    ReleaseJob();

    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDC;
    if (given) {
        dialog.hwndOwner = GetDesktopWindow();
        if (useDefault)
            dialog.Flags |= PD_RETURNDEFAULT;
    }
    BOOL chosen = PrintDlgA(&dialog);
    devMode_ = dialog.hDevMode;
    devNames_ = dialog.hDevNames;
    printer_ = chosen ? dialog.hDC : nullptr;
    if (!printer_) {
        if (dialog.hDC)
            DeleteDC(dialog.hDC);
        ReleaseJob();
        return ReturnLong(0, pVal);
    }
    ReadDeviceMetrics();

    VornString name = TextOf(DocName);
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = name.Text();
    documentOpen_ = StartDocA(printer_, &document) > 0;
    pageOpen_ = documentOpen_ && StartPage(printer_) > 0;
    if (!pageOpen_) {
        ReleaseJob();
        return ReturnLong(0, pVal);
    }
    return ReturnLong(-1, pVal);
}

STDMETHODIMP PrtObject::EndPrint()
{
    ReleaseJob();
    return S_OK;
}

bool PrtObject::DrawText(long column, long row, const char* text)
{
    return TextOutA(printer_, column * metrics_.charWidth, row * metrics_.linePitch, text,
                    static_cast<int>(std::strlen(text))) != FALSE;
}

STDMETHODIMP PrtObject::Print(LONG nCol, LONG nRow, BSTR Data, LONG* pVal)
{
    if (!pageOpen_)
        return ReturnLong(0, pVal);
    return ReturnLong(DrawText(nCol, nRow, TextOf(Data).Text()) ? -1 : 0, pVal);
}

STDMETHODIMP PrtObject::get_Lines(LONG* pVal) { return ReturnLong(metrics_.lines, pVal); }
STDMETHODIMP PrtObject::get_PhysicalWidth(LONG* pVal) { return ReturnLong(metrics_.physicalWidth, pVal); }
STDMETHODIMP PrtObject::get_PhysicalHeight(LONG* pVal) { return ReturnLong(metrics_.physicalHeight, pVal); }
STDMETHODIMP PrtObject::get_PhysicalOffsetX(LONG* pVal) { return ReturnLong(metrics_.physicalOffsetX, pVal); }
STDMETHODIMP PrtObject::get_PhysicalOffsetY(LONG* pVal) { return ReturnLong(metrics_.physicalOffsetY, pVal); }
STDMETHODIMP PrtObject::get_CharWidth(LONG* pVal) { return ReturnLong(metrics_.charWidth, pVal); }
STDMETHODIMP PrtObject::get_LinePitch(LONG* pVal) { return ReturnLong(metrics_.linePitch, pVal); }
STDMETHODIMP PrtObject::get_PageWidth(LONG* pVal) { return ReturnLong(metrics_.pageWidth, pVal); }
STDMETHODIMP PrtObject::get_PageHeight(LONG* pVal) { return ReturnLong(metrics_.pageHeight, pVal); }

STDMETHODIMP PrtObject::ColBox(LONG nCol, LONG nRow, LONG nCol2, LONG nRow3)
{
    if (pageOpen_)
        Rectangle(printer_, nCol * metrics_.charWidth, nRow * metrics_.linePitch, nCol2 * metrics_.charWidth,
                  (nRow3 + 1) * metrics_.linePitch);
    return S_OK;
}

HFONT PrtObject::CreatePageFont(const char* faceName, long points) const
{
    int height = -MulDiv(points, GetDeviceCaps(printer_, LOGPIXELSY), 72);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, faceName);
}

STDMETHODIMP PrtObject::ChangePageFont(BSTR FontName, LONG nPoint, LONG* pVal)
{
    if (!Printing())
        return ReturnLong(0, pVal);
    HFONT font = CreatePageFont(TextOf(FontName).Text(), nPoint);
    if (!font)
        return ReturnLong(0, pVal);
    HFONT previous = static_cast<HFONT>(SelectObject(printer_, font));
    if (!deviceFont_)
        deviceFont_ = previous;
    if (pageFont_)
        DeleteObject(pageFont_);
    pageFont_ = font;
    ReadFontMetrics();
    return ReturnLong(-1, pVal);
}

STDMETHODIMP PrtObject::FontPrint(BSTR FontName, LONG nPoint, LONG nCol, LONG nRow, BSTR Data, LONG* pVal)
{
    if (!pageOpen_)
        return ReturnLong(0, pVal);
    HFONT font = CreatePageFont(TextOf(FontName).Text(), nPoint);
    if (!font)
        return ReturnLong(0, pVal);
    HGDIOBJ previous = SelectObject(printer_, font);
    bool drawn = DrawText(nCol, nRow, TextOf(Data).Text());
    SelectObject(printer_, previous);
    DeleteObject(font);
    return ReturnLong(drawn ? -1 : 0, pVal);
}

STDMETHODIMP PrtObject::NextPage()
{
    if (!Printing())
        return S_OK;
    if (pageOpen_)
        EndPage(printer_);
    pageOpen_ = StartPage(printer_) > 0;
    // A new page starts with the context's defaults on some drivers: the page font stays.
    if (pageOpen_ && pageFont_)
        SelectObject(printer_, pageFont_);
    return S_OK;
}

}  // namespace vorn
