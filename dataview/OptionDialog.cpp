#include "OptionDialog.h"

#include <algorithm>

#include "common/ProgramLauncher.h"

namespace {

const char kClearedNote[] = "全てのオプションを復帰するまで、オプションは保存されません";

}  // namespace

INT_PTR OptionDialog::Run(HWND owner)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK OptionDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        OptionDialog* self = reinterpret_cast<OptionDialog*>(lParam);
        self->dialog_ = dialog;
        self->OnInit();
        self->RecordLayout();
        WindowBase frame(dialog);
        if (!frame.RestorePosition(self->section_, self->settings_) && self->hasDefaultPlacement_) {
            int width = GetSystemMetrics(SM_CXSCREEN);
            int height = GetSystemMetrics(SM_CYSCREEN);
            const RECT& share = self->defaultPlacement_;
            SetWindowPos(dialog, nullptr, width * share.left / 100, height * share.top / 100,
                         width * share.right / 100, height * share.bottom / 100, SWP_NOZORDER);
        }
        frame.Attach(nullptr);
        self->LayOut();
        return TRUE;
    }
    OptionDialog* self = reinterpret_cast<OptionDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR OptionDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    GridView* grid = GridOf(reinterpret_cast<HWND>(wParam));
    switch (message) {
    case WM_NOTIFY:
        for (auto& each : grids_)
            if (each->HandleNotify(dialog_, lParam))
                break;
        return FALSE;
    case WM_SIZE:
        LayOut();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            // Enter in an in-place editor ends the edit, not the dialog.
            CommitEditors();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            CommitEditors();
            EndDialog(dialog_, IDCANCEL);
            return TRUE;
        }
        return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case kGridClick:
        if (grid)
            OnGridClick(*grid, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return TRUE;
    case kGridReturn:
    case kGridDoubleClick:
        if (grid)
            OnGridReturn(*grid, static_cast<short>(LOWORD(lParam)));
        return TRUE;
    case kGridEditReturn:
        CommitEditors();
        return TRUE;
    case WM_DESTROY: {
        WindowBase frame(dialog_);
        frame.SavePosition(section_, settings_);
        frame.Attach(nullptr);
        grids_.clear();
        return FALSE;
    }
    default:
        return FALSE;
    }
}

GridView& OptionDialog::AdoptGrid(int controlId)
{
    grids_.emplace_back(new GridView(GetDlgItem(dialog_, controlId)));
    GridView& grid = *grids_.back();
    grid.SetFullRowSelectWithGridLines();
    return grid;
}

GridView* OptionDialog::GridOf(HWND list)
{
    for (auto& grid : grids_)
        if (grid->ListHandle() == list)
            return grid.get();
    return nullptr;
}

void OptionDialog::CommitEditors()
{
    for (auto& grid : grids_)
        if (IsWindowVisible(grid->EditBox()) || IsWindowVisible(grid->ComboBox()))
            SetFocus(grid->ListHandle());
}

void OptionDialog::ShowClearedNote(int noteId, bool cleared)
{
    SetDlgItemTextA(dialog_, noteId, cleared ? kClearedNote : "");
}

void OptionDialog::RecordLayout()
{
    RECT client;
    GetClientRect(dialog_, &client);
    initialClient_ = {client.right, client.bottom};
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Anchor anchor = {child, {}, GridOf(child) != nullptr};
        GetWindowRect(child, &anchor.rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&anchor.rect), 2);
        anchors_.push_back(anchor);
    }
}

// Grids share the growth of the width between them; a control below the grids keeps its
// distance to the bottom, one to their right its distance to the right edge.
void OptionDialog::LayOut()
{
    if (anchors_.empty())
        return;
    RECT client;
    GetClientRect(dialog_, &client);
    int dx = client.right - initialClient_.cx;
    int dy = client.bottom - initialClient_.cy;
    int gridCount = static_cast<int>(std::count_if(anchors_.begin(), anchors_.end(), [](const Anchor& a) { return a.grid; }));
    int gridBottom = 0, gridRight = 0;
    for (const Anchor& anchor : anchors_)
        if (anchor.grid) {
            gridBottom = std::max(gridBottom, static_cast<int>(anchor.rect.bottom));
            gridRight = std::max(gridRight, static_cast<int>(anchor.rect.right));
        }
    int share = gridCount > 0 ? dx / gridCount : 0;
    int gridIndex = 0;
    for (const Anchor& anchor : anchors_) {
        RECT r = anchor.rect;
        if (anchor.grid) {
            r.left += share * gridIndex;
            r.right += share * (gridIndex + 1);
            r.bottom += dy;
            ++gridIndex;
        } else if (r.top >= gridBottom) {
            OffsetRect(&r, 0, dy);
        } else if (r.left >= gridRight) {
            OffsetRect(&r, dx, 0);
        }
        MoveWindow(anchor.window, r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top), TRUE);
    }
}
