// The Prt object: text on a character grid of the page font, one print job at a time, to the
// printer the user picks or the default printer.
#pragma once

#include "ServerFrame.h"

namespace vorn {

class PrtObject : public DispatchObject<IPrt> {
public:
    PrtObject() = default;
    ~PrtObject() override;

    STDMETHODIMP StartPrint(BSTR DocName, VARIANT bDefault, LONG* pVal) override;
    STDMETHODIMP EndPrint() override;
    STDMETHODIMP Print(LONG nCol, LONG nRow, BSTR Data, LONG* pVal) override;
    STDMETHODIMP get_Lines(LONG* pVal) override;
    STDMETHODIMP get_PhysicalWidth(LONG* pVal) override;
    STDMETHODIMP get_PhysicalHeight(LONG* pVal) override;
    STDMETHODIMP get_PhysicalOffsetX(LONG* pVal) override;
    STDMETHODIMP get_PhysicalOffsetY(LONG* pVal) override;
    STDMETHODIMP get_CharWidth(LONG* pVal) override;
    STDMETHODIMP get_LinePitch(LONG* pVal) override;
    STDMETHODIMP get_PageWidth(LONG* pVal) override;
    STDMETHODIMP get_PageHeight(LONG* pVal) override;
    STDMETHODIMP ColBox(LONG nCol, LONG nRow, LONG nCol2, LONG nRow3) override;
    STDMETHODIMP ChangePageFont(BSTR FontName, LONG nPoint, LONG* pVal) override;
    STDMETHODIMP FontPrint(BSTR FontName, LONG nPoint, LONG nCol, LONG nRow, BSTR Data, LONG* pVal) override;
    STDMETHODIMP NextPage() override;

private:
    struct Metrics {
        long physicalWidth = 0, physicalHeight = 0, physicalOffsetX = 0, physicalOffsetY = 0;
        long charWidth = 0, linePitch = 0, pageWidth = 0, lines = 0, pageHeight = 0;
    };

    bool Printing() const { return printer_ != nullptr; }
    void ReleaseJob();
    void ReadDeviceMetrics();
    void ReadFontMetrics();
    HFONT CreatePageFont(const char* faceName, long points) const;
    bool DrawText(long column, long row, const char* text);

    HDC printer_ = nullptr;
    HGLOBAL devMode_ = nullptr;
    HGLOBAL devNames_ = nullptr;
    HFONT pageFont_ = nullptr;
    HFONT deviceFont_ = nullptr;  // the context's own font, put back before the context goes
    bool pageOpen_ = false;
    bool documentOpen_ = false;
    Metrics metrics_;
};

}  // namespace vorn
