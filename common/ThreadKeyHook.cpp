#include "ThreadKeyHook.h"

#include <cstring>

#include "GridView.h"

namespace {

HHOOK g_afterProcessing = nullptr;
HHOOK g_fromQueue = nullptr;

const int kAncestorSteps = 51;

bool IsListView(HWND window)
{
    char className[32];
    return GetClassNameA(window, className, sizeof className) > 0 &&
           std::strcmp(className, "SysListView32") == 0;
}

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

void AfterListViewMessage(const CWPRETSTRUCT& message)
{
    switch (message.message) {
    case WM_COMMAND: {
        int id = LOWORD(message.wParam);
        if (id == kGridEditBoxId || id == kGridComboBoxId) {
            if (GridView* grid = GridView::FromListHandle(message.hwnd))
                grid->CommitEditor(message.wParam, message.lParam);
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        SetFocus(message.hwnd);
        break;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(message.lParam);
        HWND headerControl = reinterpret_cast<HWND>(SendMessageA(message.hwnd, LVM_GETHEADER, 0, 0));
        if (header && header->hwndFrom == headerControl)
            ForwardHeaderNotification(message.hwnd, header);
        break;
    }
    default:
        break;
    }
}

LRESULT CALLBACK AfterProcessingHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPRETSTRUCT* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (IsListView(message->hwnd))
            AfterListViewMessage(*message);
    }
    return CallNextHookEx(g_afterProcessing, code, wParam, lParam);
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
    if (g_afterProcessing || g_fromQueue)
        return false;
    DWORD thread = GetCurrentThreadId();
    g_afterProcessing = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterProcessingHook, nullptr, thread);
    g_fromQueue = SetWindowsHookExA(WH_GETMESSAGE, FromQueueHook, nullptr, thread);
    return true;
}

void Remove()
{
    if (g_afterProcessing)
        UnhookWindowsHookEx(g_afterProcessing);
    if (g_fromQueue)
        UnhookWindowsHookEx(g_fromQueue);
    g_afterProcessing = nullptr;
    g_fromQueue = nullptr;
}

bool IsInstalled() { return g_afterProcessing != nullptr || g_fromQueue != nullptr; }

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
