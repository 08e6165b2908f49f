#include "ListBoxHelpers.h"

int ListBox::Add(const char* text)
{
    LRESULT index = SendMessageA(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : ""));
    return index < 0 ? -1 : static_cast<int>(index);
}

int ListBox::Count() const
{
    LRESULT count = SendMessageA(window_, LB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

VornString ListBox::ItemText(int index) const
{
    VornString text;
    LRESULT length = SendMessageA(window_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0 || !text.Resize(static_cast<unsigned>(length) + 1) || !text.Buffer())
        return text;
    SendMessageA(window_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.Buffer()));
    return text;
}

void ListBox::Clear() { SendMessageA(window_, LB_RESETCONTENT, 0, 0); }

int ListBox::Selection() const
{
    LRESULT index = SendMessageA(window_, LB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : static_cast<int>(index);
}

void ListBox::Select(int index) { SendMessageA(window_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int ListBox::FindExact(const char* text) const
{
    LRESULT index = SendMessageA(window_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text ? text : ""));
    return index < 0 ? -1 : static_cast<int>(index);
}
