#include "OptionsDialog.h"

#include <commctrl.h>

#include <memory>

#include "HotKeyLauncher.h"
#include "OptionsRows.h"
#include "common/FileDialogs.h"
#include "common/GridView.h"
#include "common/MessageBoxes.h"
#include "resources/OptionsDialogIds.h"

namespace {

const char kOptionsChanged[] = "オプションが変更されました　　";
const char kNothingChanged[] = "変更されたオプションはありません　　";
// Follows the command line, which may be longer than any format buffer.
const char kRunFailed[] = " の実行に失敗しました　　";
const char kExecutableFilter[] = "実行ﾌｧｲﾙ,*.exe";

struct ColumnSpec {
    const char* title;
    int width;
};
const ColumnSpec kColumns[] = {{"タイプ", 30}, {"", 0}, {"内容", 400}, {"", 400}, {"", 50}, {"", 0}};

class OptionsDialog {
public:
    OptionsDialog(ProfileStore& settings, const ApplyFont& applyFont) : settings_(settings), applyFont_(applyFont) {}

    void Run(HWND owner)
    {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), owner, Procedure,
                        reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            return reinterpret_cast<OptionsDialog*>(lParam)->OnInitDialog(dialog);
        }
        OptionsDialog* self = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        return self ? self->OnMessage(message, wParam, lParam) : FALSE;
    }

    INT_PTR OnInitDialog(HWND dialog)
    {
        dialog_ = dialog;
        grid_.reset(new GridView(GetDlgItem(dialog, IDC_OPTIONS_GRID)));
        grid_->SetFullRowSelectWithGridLines();
        for (const ColumnSpec& column : kColumns)
            grid_->AddColumn(column.title, column.width);
        for (const OptionRow& row : OptionRows()) {
            OptionRowText text = ReadOptionRow(settings_, row);
            grid_->AddRow();
            grid_->SetText(kOptionKindColumn, OptionKindText(row.kind));
            grid_->SetText(kOptionCaptionColumn, row.caption);
            grid_->SetText(kOptionValueColumn, text.value);
            grid_->SetText(kOptionSizeColumn, text.size);
            grid_->SetText(kOptionKeyColumn, text.key);
        }
        SetMenuState(OptionMenuState{false, false});
        // No stored rectangle: the dialog always takes the same share of the screen.
        int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        SetWindowPos(dialog, nullptr, screenWidth / 10, screenHeight * 15 / 100, screenWidth * 8 / 10,
                     screenHeight / 2, SWP_NOZORDER | SWP_NOACTIVATE);
        FitGrid();
        return TRUE;
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_NOTIFY:
            if (grid_)
                grid_->HandleNotify(dialog_, lParam);
            return FALSE;
        case WM_SIZE:
            FitGrid();
            return TRUE;
        case WM_DESTROY:
            // The grid lets go of its editors and subclasses while the windows still exist.
            grid_.reset();
            return FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        case kGridClick:
            OnGridClick(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return TRUE;
        case kGridEditCommitted:
        case kGridComboCommitted:
            MarkRow(static_cast<short>(LOWORD(lParam)));
            return TRUE;
        case kGridEditReturn:
            CommitEditor();
            return TRUE;
        default:
            return FALSE;
        }
    }

    INT_PTR OnCommand(int id)
    {
        switch (id) {
        case IDM_OPTIONS_UPDATE:
            OnUpdate();
            return TRUE;
        case IDM_OPTIONS_BROWSE:
            OnBrowse();
            return TRUE;
        case IDM_OPTIONS_RUN:
            OnRun();
            return TRUE;
        case IDOK:
            // Enter in the in-place editor ends the edit, not the dialog.
            CommitEditor();
            return TRUE;
        case IDCANCEL:
            if (grid_)
                grid_->HideEditor();
            EndDialog(dialog_, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    }

    void FitGrid()
    {
        if (!grid_)
            return;
        RECT client;
        GetClientRect(dialog_, &client);
        MoveWindow(grid_->ListHandle(), 0, 0, client.right, client.bottom, TRUE);
    }

    void SetMenuState(const OptionMenuState& state)
    {
        HMENU menu = GetMenu(dialog_);
        EnableMenuItem(menu, IDM_OPTIONS_BROWSE, MF_BYCOMMAND | (state.browse ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, IDM_OPTIONS_RUN, MF_BYCOMMAND | (state.run ? MF_ENABLED : MF_GRAYED));
        DrawMenuBar(dialog_);
    }

    const OptionRow* RowAt(int row) const
    {
        const std::vector<OptionRow>& rows = OptionRows();
        return row >= 0 && static_cast<size_t>(row) < rows.size() && row < grid_->RowCount() ? &rows[row] : nullptr;
    }

    void OnGridClick(int row, int column)
    {
        const OptionRow* option = RowAt(row);
        selectedRow_ = option ? row : -1;
        if (!option) {
            SetMenuState(OptionMenuState{false, false});
            return;
        }
        SetMenuState(MenuStateFor(option->kind));
        switch (EditorFor(option->kind, column)) {
        case OptionEditor::FaceList:
            grid_->FillCombo(kOptionFaceChoices);
            grid_->BeginComboEdit(row, column);
            break;
        case OptionEditor::SizeList:
            grid_->FillCombo(kOptionSizeChoices);
            grid_->BeginComboEdit(row, column);
            break;
        case OptionEditor::Text:
            grid_->BeginEdit(row, column);
            break;
        case OptionEditor::None:
            break;
        }
    }

    void MarkRow(int row)
    {
        if (RowAt(row))
            grid_->SetCellText(row, kOptionMarkColumn, kOptionChangeMark);
    }

    // A menu command takes no focus, so an edit still open would otherwise be lost: moving
    // the focus to the list commits it (and marks its row) first.
    void CommitEditor()
    {
        if (grid_ && IsWindowVisible(grid_->EditBox()))
            SetFocus(grid_->ListHandle());
    }

    void OnUpdate()
    {
        CommitEditor();
        const std::vector<OptionRow>& rows = OptionRows();
        int marked = 0;
        for (int row = 0; RowAt(row); ++row) {
            if (!grid_->CellText(row, kOptionMarkColumn).Equals(kOptionChangeMark))
                continue;
            ++marked;
            FontSetting font = {0, 0};
            bool apply = WriteOptionRow(settings_, rows[row], grid_->CellText(row, kOptionValueColumn),
                                        grid_->CellText(row, kOptionSizeColumn),
                                        grid_->CellText(row, kOptionKeyColumn), &font);
            if (apply && applyFont_)
                applyFont_(rows[row].pane, font.faceKind, font.pointSize);
        }
        ShowWarning(dialog_, marked > 0 ? kOptionsChanged : kNothingChanged);
    }

    void OnBrowse()
    {
        CommitEditor();
        const OptionRow* option = RowAt(selectedRow_);
        if (!option || !MenuStateFor(option->kind).browse)
            return;
        char file[MAX_PATH] = "";
        if (!OpenFileDialog(dialog_, nullptr, kExecutableFilter, 0, file))
            return;
        grid_->SetCellText(selectedRow_, kOptionValueColumn, file);
        MarkRow(selectedRow_);
    }

    void OnRun()
    {
        CommitEditor();
        const OptionRow* option = RowAt(selectedRow_);
        if (!option || !MenuStateFor(option->kind).run)
            return;
        VornString commandLine = grid_->CellText(selectedRow_, kOptionValueColumn);
        if (StartCommandLine(commandLine))
            return;
        VornString message(commandLine);
        message.Append(kRunFailed);
        ShowWarning(dialog_, message);
    }

    ProfileStore& settings_;
    const ApplyFont& applyFont_;
    HWND dialog_ = nullptr;
    std::unique_ptr<GridView> grid_;
    int selectedRow_ = -1;
};

}  // namespace

void RunOptionsDialog(HWND owner, ProfileStore& settings, const ApplyFont& applyFont)
{
    OptionsDialog dialog(settings, applyFont);
    dialog.Run(owner);
}
