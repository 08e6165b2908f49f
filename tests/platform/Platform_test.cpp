// Facts about the Windows environment the whole program relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/VornString.h"

TEST(Platform, AnsiCodePageIsShiftJis)
{
    EXPECT_EQ(932u, GetACP());
    EXPECT_TRUE(IsDBCSLeadByte(0x95));
    EXPECT_FALSE(IsDBCSLeadByte(0x5C));
}

TEST(Platform, WindowTextRoundTripsShiftJis)
{
    HWND window = CreateWindowA("STATIC", "表ソ①～㈱髙", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ("表ソ①～㈱髙", text);
    DestroyWindow(window);
}

TEST(Platform, JapaneseFacesHaveJapaneseGlyphs)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(nullptr, dc);
    for (const char* face : {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ 明朝"}) {
        HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
        ASSERT_NE(nullptr, font) << face;
        HGDIOBJ old = SelectObject(dc, font);
        WORD glyphs[2] = {0, 0};
        DWORD count = GetGlyphIndicesA(dc, "表", 1, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
        EXPECT_EQ(1u, count) << face;
        EXPECT_NE(0xFFFF, glyphs[0]) << face << " has no glyph for a kanji";
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        EXPECT_EQ(SHIFTJIS_CHARSET, metrics.tmCharSet) << face;
        SelectObject(dc, old);
        DeleteObject(font);
    }
    DeleteDC(dc);
}

TEST(Platform, VariantTextConvertsThroughTheCodePage)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"\u8868\u30bd\u2460\uff5e");  // 表ソ①～
    VornString text;
    EXPECT_EQ(S_OK, text.AssignVariant(value));
    EXPECT_STREQ("表ソ①～", text.Text());
    VariantClear(&value);

    value.vt = VT_I4;
    value.lVal = -1234;
    text.AssignVariant(value);
    EXPECT_STREQ("-1234", text.Text());
}
