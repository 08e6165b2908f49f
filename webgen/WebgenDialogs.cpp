#include "WebgenDialogs.h"

#include <memory>

#include "WebProject.h"
#include "common/FileDialogs.h"
#include "common/GridView.h"
#include "common/MessageBoxes.h"
#include "common/ModalDialog.h"
#include "resources/WebgenDialogIds.h"

namespace {

const char kNoProject[] = "プロジェクト名を入力して下さい　　";
const char kNoDirectory[] = "対象ディレクトリを決定して下さい　　";
const char kNoKeys[] = "キー項目を選択して下さい　　";
const char kNoFuzzy[] = "あいまい検索項目を選択して下さい　　";
const char kNoEdits[] = "編集項目を選択して下さい　　";
const char kNoDisplays[] = "表示項目を選択して下さい　　";
const char kConfirmRun[] = "処理を実行しますか?　　";
const char kProjectExists[] = "既にプロジェクトが存在します　　　\n\n上書きしますか?　　";
const char kWorking[] = "処理中です...";
const char kFinished[] = "書き込みが終了しました　　";

// Runs the builders with the wait cursor and tells how the run ended.
void WriteAndReport(HWND dialog, WebKind kind, const WebFields& fields, const WebMenuOptions& menu,
                    TemplateStore& store, const char* folder)
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    WebWriteResult result = WriteWebFiles(kind, fields, menu, store, folder);
    SetCursor(previous);
    if (result.status == WebRunStatus::StoreUnreachable)
        ShowWarning(dialog, kTemplateStoreUnreachable);
    else if (result.status == WebRunStatus::Done)
        ShowWarning(dialog, kFinished);
}

class WebgenDialog : public ModalDialog {
public:
    WebgenDialog(WebKind kind, const WebgenContext& context)
        : kind_(kind), facts_(FactsOf(kind)), context_(context), columns_(ColumnsFromDefinition(context.definition))
    {
    }

private:
    void OnInit() override
    {
        if (kind_ == WebKind::CommonFiles) {
            PlaceCentredAt(200);
            return;
        }
        SetItemText(IDC_WEBGEN_PROJECT, facts_.projectName);
        PlaceCentredAt(150);
        if (kind_ == WebKind::Menu) {
            CheckItem(IDC_WEBGEN_THREE_COLUMNS, true);
            return;
        }
        SetText(kind_ == WebKind::FrameRowMaintenance ? FactsOf(WebKind::FrameMaintenance).menuText : facts_.menuText);
        SetItemText(IDC_WEBGEN_LEFT_LABEL, facts_.keyFields ? "キーフィールド" : "あいまい検索フィールド");
        SetItemText(IDC_WEBGEN_RIGHT_LABEL, facts_.editFields ? "編集フィールド" : "表示フィールド");
        left_ = MakeGrid(IDC_WEBGEN_LEFT_GRID);
        right_ = MakeGrid(IDC_WEBGEN_RIGHT_GRID);
        for (const WebColumn& column : columns_) {
            VornString key = context_.definition[column.ordinal - 1][kDefPrimaryKey];
            key.TrimBlanks();
            if (facts_.keyFields || IsFuzzySearchColumn(column))
                AddRow(*left_, column, facts_.keyFields && !key.IsEmpty());
            AddRow(*right_, column, false);
        }
    }

    std::unique_ptr<GridView> MakeGrid(int id)
    {
        std::unique_ptr<GridView> grid(new GridView(GetDlgItem(window_, id)));
        grid->SetFullRowSelectWithGridLines();
        grid->SetCheckBoxes(true);
        grid->AddColumn("", 30);
        grid->AddColumn("列名", 200);
        grid->AddColumn("", 30);
        return grid;
    }

    static void AddRow(GridView& grid, const WebColumn& column, bool checked)
    {
        int row = grid.AddRow();
        grid.SetCellText(row, 1, column.name);
        VornString ordinal;
        ordinal.Format("%d", column.ordinal);
        grid.SetCellText(row, 2, ordinal);
        grid.SetChecked(row, checked);
    }

    INT_PTR OnMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_NOTIFY)
            return FALSE;
        for (GridView* grid : {left_.get(), right_.get()})
            if (grid && grid->HandleNotify(window_, lParam))
                return TRUE;
        return FALSE;
    }

    bool OnCommand(int id, int) override
    {
        switch (id) {
        case IDC_WEBGEN_BROWSE: Browse(); return true;
        case IDC_WEBGEN_CHECK_SELECTED:
            for (int row = right_ ? right_->NextSelectedRow(-1) : -1; row >= 0; row = right_->NextSelectedRow(row))
                right_->SetChecked(row, true);
            return true;
        case IDC_WEBGEN_RUN: Create(); return true;
        case IDCANCEL: End(IDCANCEL); return true;
        default: return false;
        }
    }

    void Browse()
    {
        VornString folder = ItemText(IDC_WEBGEN_DIRECTORY);
        if (ChooseFolder(window_, folder))
            SetItemText(IDC_WEBGEN_DIRECTORY, folder);
    }

    // Each checked row in grid order, with its facts from the definition by ordinal.
    std::vector<WebColumn> Checked(const GridView& grid) const
    {
        std::vector<WebColumn> chosen;
        for (int row = 0; row < grid.RowCount(); ++row) {
            if (!grid.IsChecked(row))
                continue;
            long ordinal = grid.CellText(row, 2).ToInteger();
            if (ordinal < 1 || ordinal > static_cast<long>(columns_.size()))
                continue;
            WebColumn column = columns_[ordinal - 1];
            column.name = grid.CellText(row, 1);
            chosen.push_back(column);
        }
        return chosen;
    }

    void Create()
    {
        VornString directory = ItemText(IDC_WEBGEN_DIRECTORY);
        if (kind_ == WebKind::CommonFiles) {
            if (directory.IsEmpty()) {
                ShowWarning(window_, kNoDirectory);
                return;
            }
            if (!AskYesNo(window_, kConfirmRun))
                return;
            SetText(kWorking);
            WriteAndReport(window_, kind_, WebFields(), WebMenuOptions(), *context_.store, directory);
            return;
        }
        VornString project = ItemText(IDC_WEBGEN_PROJECT);
        if (project.IsEmpty()) {
            ShowWarning(window_, kNoProject);
            SetFocus(GetDlgItem(window_, IDC_WEBGEN_PROJECT));
            return;
        }
        if (directory.IsEmpty()) {
            ShowWarning(window_, kNoDirectory);
            return;
        }
        WebFields fields;
        fields.table = context_.table;
        WebMenuOptions menu;
        if (kind_ == WebKind::Menu) {
            menu.title = ItemText(IDC_WEBGEN_TITLE);
            menu.columns = IsItemChecked(IDC_WEBGEN_ONE_COLUMN) ? 1 : IsItemChecked(IDC_WEBGEN_TWO_COLUMNS) ? 2 : 3;
        } else {
            fields.left = Checked(*left_);
            fields.right = Checked(*right_);
            if (fields.left.empty()) {
                ShowWarning(window_, facts_.keyFields ? kNoKeys : kNoFuzzy);
                return;
            }
            if (fields.right.empty()) {
                ShowWarning(window_, facts_.editFields ? kNoEdits : kNoDisplays);
                return;
            }
        }
        if (!AskYesNo(window_, kConfirmRun))
            return;
        VornString folder = ProjectFolder(directory, project);
        if (IsDirectory(folder) && !AskYesNo(window_, kProjectExists))
            return;
        SetText(kWorking);
        WriteAndReport(window_, kind_, fields, menu, *context_.store, folder);
    }

    WebKind kind_;
    const WebKindFacts& facts_;
    const WebgenContext& context_;
    std::vector<WebColumn> columns_;
    std::unique_ptr<GridView> left_;
    std::unique_ptr<GridView> right_;
};

}  // namespace

void RunWebgenDialog(HWND owner, WebKind kind, const WebgenContext& context)
{
    if (!context.store)
        return;
    int templateId = kind == WebKind::CommonFiles ? IDD_WEBGEN_COMMON
                     : kind == WebKind::Menu      ? IDD_WEBGEN_MENU
                                                  : IDD_WEBGEN_TABLE;
    WebgenDialog dialog(kind, context);
    dialog.Run(owner, templateId);
}
