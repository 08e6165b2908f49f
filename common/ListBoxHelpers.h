// A list box: the file lists, the pick lists of dialogs.
#pragma once

#include "WindowBase.h"

class ListBox : public WindowBase {
public:
    explicit ListBox(HWND listBox = nullptr) : WindowBase(listBox) {}
    // From a dialog's control.
    ListBox(HWND dialog, int id) : WindowBase(GetDlgItem(dialog, id)) {}

    // Returns the index of the new line (its sorted place in a sorted list), -1 on failure.
    int Add(const char* text);
    int Count() const;
    VornString ItemText(int index) const;
    void Clear();
    // The selected line of a single-selection list, -1 when none.
    int Selection() const;
    void Select(int index);
    // Index of the line equal to text ignoring case, -1 when none.
    int FindExact(const char* text) const;
};
