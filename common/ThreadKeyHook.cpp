#include "ThreadKeyHook.h"

#include <cstring>

#include "GridView.h"

namespace {

HHOOK g_fromQueue = nullptr;

const int kAncestorSteps = 51;

void ForwardHeaderNotification(HWND listView, const NMHDR* header)
{
    HWND owner = GetParent(listView);
    switch (header->code) {
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
        const NMHEADERA* click = reinterpret_cast<const NMHEADERA*>(header);
        if (click->iButton == 0)
            PostMessageA(owner, kGridHeaderClick, reinterpret_cast<WPARAM>(listView), click->iItem);
        break;
    }
    case HDN_ITEMDBLCLICKA:
    case HDN_ITEMDBLCLICKW: {
        const NMHEADERA* click = reinterpret_cast<const NMHEADERA*>(header);
        PostMessageA(owner, kGridHeaderDoubleClick, reinterpret_cast<WPARAM>(listView), click->iItem);
        break;
    }
    case NM_RCLICK:
        PostMessageA(owner, kGridHeaderRightClick, reinterpret_cast<WPARAM>(listView), 0);
        break;
    default:
        break;
    }
}



void EditBoxKey(HWND editBox, WPARAM key)
{
    UINT forward = 0;
    switch (key) {
    case VK_RETURN: forward = kGridEditReturn; break;
    case VK_TAB: forward = kGridEditTab; break;
    case VK_UP: forward = kGridEditUp; break;
    case VK_DOWN: forward = kGridEditDown; break;
    default: return;
    }
    HWND listView = GetParent(editBox);
    PostMessageA(GetParent(listView), forward, reinterpret_cast<WPARAM>(listView),
                 MAKELONG(GridView::EditRow(), GridView::EditColumn()));
}

void KeyInChild(const MSG& message, HWND parent)
{
    HWND top = ThreadKeyHook::TopLevelAncestor(message.hwnd);
    WPARAM window = reinterpret_cast<WPARAM>(message.hwnd);
    LPARAM id = GetDlgCtrlID(message.hwnd);
    if (top) {
        PostMessageA(top, WM_KEYDOWN, message.wParam, message.lParam);
        PostMessageA(top, kAnyKeyDown, window, static_cast<LPARAM>(message.wParam));
    }
    switch (message.wParam) {
    case VK_RETURN: PostMessageA(parent, kControlReturn, window, id); break;
    case VK_SPACE: PostMessageA(parent, kControlSpace, window, id); break;
    case VK_TAB: PostMessageA(parent, kControlTab, window, id); break;
    default: break;
    }
    if (!top)
        return;
    switch (message.wParam) {
    case VK_ESCAPE: SendMessageA(top, kControlEscape, window, id); break;
    case VK_UP: SendMessageA(top, kControlUp, window, id); break;
    case VK_DOWN: SendMessageA(top, kControlDown, window, id); break;
    case VK_NEXT: SendMessageA(top, kControlPageDown, window, id); break;
    case VK_PRIOR: SendMessageA(top, kControlPageUp, window, id); break;
    default: break;
    }
}

void QueuedMessage(const MSG& message)
{
    if (message.message == WM_KEYDOWN) {
        if (GetDlgCtrlID(message.hwnd) == kGridEditBoxId)
            EditBoxKey(message.hwnd, message.wParam);
        HWND parent = GetParent(message.hwnd);
        if (parent)
            KeyInChild(message, parent);
        else
            PostMessageA(message.hwnd, kAnyKeyDown, reinterpret_cast<WPARAM>(message.hwnd),
                         static_cast<LPARAM>(message.wParam));
    } else if (message.message == WM_DROPFILES && GetParent(message.hwnd)) {
        HWND top = ThreadKeyHook::TopLevelAncestor(message.hwnd);
        if (top)
            SendMessageA(top, kChildFilesDropped, reinterpret_cast<WPARAM>(message.hwnd), message.wParam);
    }
}

LRESULT CALLBACK FromQueueHook(int code, WPARAM wParam, LPARAM lParam)
{
    // A peek that leaves the message in the queue would see it a second time.
    if (code == HC_ACTION && wParam == PM_REMOVE)
        QueuedMessage(*reinterpret_cast<const MSG*>(lParam));
    return CallNextHookEx(g_fromQueue, code, wParam, lParam);
}

}  // namespace

namespace ThreadKeyHook {

bool InstallIfAbsent()
{
    if (g_fromQueue)
        return false;
    g_fromQueue = SetWindowsHookExA(WH_GETMESSAGE, FromQueueHook, nullptr, GetCurrentThreadId());
    return true;
}

void Remove()
{
    if (g_fromQueue)
        UnhookWindowsHookEx(g_fromQueue);
    g_fromQueue = nullptr;
}

bool IsInstalled() { return g_fromQueue != nullptr; }

void AfterListViewMessage(HWND listView, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == kGridEditBoxId || id == kGridComboBoxId) {
            if (GridView* grid = GridView::FromListHandle(listView))
                grid->CommitEditor(wParam, lParam);
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        SetFocus(listView);
        break;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        HWND headerControl = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
        if (header && header->hwndFrom == headerControl)
            ForwardHeaderNotification(listView, header);
        break;
    }
    default:
        break;
    }
}

HWND TopLevelAncestor(HWND window)
{
    HWND current = window;
    for (int step = 0; step < kAncestorSteps; ++step) {
        HWND parent = GetParent(current);
        if (!parent)
            return current;
        current = parent;
    }
    return nullptr;
}

}  // namespace ThreadKeyHook
