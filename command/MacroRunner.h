// Both expansion steps with their messages and dialogs, over the main window (Windows build).
#pragma once

#include <windows.h>

#include "MacroExpansion.h"

class MacroHost {
public:
    virtual ~MacroHost() = default;
    virtual HWND Owner() = 0;
    virtual ProfileStore& Settings() = 0;
    virtual MacroSelection Selection() = 0;
    virtual void FocusTableList() = 0;
    virtual void FocusDefinitionView() = 0;
};

// "テーブルを選択して下さい" / "列を選択して下さい" with the focus moved, on refusal.
bool ExpandSelectionStep(VornString& text, MacroHost& host);
// The dialogs; false when the user cancels one.
bool ExpandInputStep(VornString& text, MacroHost& host);
// Selection step, then input step.
bool ExpandMacros(VornString& text, MacroHost& host);
