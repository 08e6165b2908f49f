// The data view's row operations: marks, new rows, pastes, deletes by key, clearing the
// table, writing new and edited rows back, and the update-SQL file.
#include "DataViewWindow.h"

#include <commdlg.h>

#include "app/MainSettings.h"
#include "common/Clipboard.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/TextFile.h"
#include "resources/DataViewIds.h"

namespace {

// Message-box texts end in two ideographic spaces, which widen the box.
const char kNoClipboardText[] = "クリップボードがらテキストを取得できませんでした　　";
const char kNothingMarked[] = "削除の為のマークはされていません　　";
const char kDeleteMarkedQuestion[] = "削除マーク行を削除しますか?　　";
const char kUpdateErrorQuestion[] = "更新エラーです。継続しますか?　　";
const char kFinished[] = "処理が終了しました　　";
const char kNoSelection[] = "対象行を選択して下さい　　";
const char kDeleteSelectedQuestion[] = "選択行を削除しますか?　　";
const char kContinueQuestion[] = "継続して実行しますか?　　";
const char kClearQuestion[] = " のデータをクリアしますか?　　";
const char kCleared[] = "テーブルのデータはクリアされました　　";
const char kNoCondition[] = "条件が設定されていません。全て削除する場合は「データクリア」を使用して下さい　　";
const char kDeleteWhereQuestion[] = " の対象条件データを削除しますか?　　";
const char kDeletedWhere[] = "テーブルの対象条件データは削除されました　　";
const char kCannotConnect[] = "データベースに接続できません　　";
// A row whose key is unknown is refused rather than written through a guessed condition.
const char kNoKey[] = "更新キーが設定されていないため、この行は更新できません";
const char kUpdateSqlFilter[] = "SQL,*.sql,*.*,全て";
const char kUpdateSqlTitle[] = "更新 SQL をテキストファイルへ出力";
const char kUpdateSqlFolderKey[] = "UpdSql";
const int kErrorColumnWidth = 50;

VornString WithQuestion(const char* error, const char* question)
{
    VornString text(error);
    text.Append("\n");
    text.Append(question);
    return text;
}

}  // namespace

std::vector<VornString> DataViewWindow::RowValues(int row) const
{
    std::vector<VornString> values;
    values.reserve(fields_.size());
    for (size_t i = 0; i < fields_.size(); ++i)
        values.push_back(grid_->CellText(row, static_cast<int>(i) + 2));
    return values;
}

VornString DataViewWindow::StatementFor(int row, bool insert) const
{
    std::vector<VornString> values = RowValues(row);
    if (insert)
        return dataview::InsertStatement(Dialect(), table_, fields_, values);
    if (!hasKey_)
        return VornString();
    return dataview::UpdateStatement(Dialect(), table_, fields_, values);
}

std::vector<VornString> DataViewWindow::PendingStatements() const
{
    std::vector<VornString> statements;
    for (int row = 0; row < grid_->RowCount(); ++row) {
        int state = RowState(row);
        if (state == kRowNew || state == kRowEdited)
            statements.push_back(StatementFor(row, state == kRowNew));
    }
    return statements;
}

void DataViewWindow::MarkRowError(int row, const char* error)
{
    VornString text("E:");
    text.Append(error);
    grid_->SetCellText(row, 1, text);
    grid_->SetColumnWidth(1, kErrorColumnWidth);
}

void DataViewWindow::MarkSelected(bool mark)
{
    for (int row = grid_->NextSelectedRow(-1); row >= 0; row = grid_->NextSelectedRow(row)) {
        int state = RowState(row);
        if (mark && state != kRowNew)
            SetRowState(row, kRowMarked);
        else if (!mark && state == kRowMarked)
            SetRowState(row, kRowNormal);
    }
    grid_->Synchronize();
}

void DataViewWindow::RemoveSelectedNewRows()
{
    for (int row = grid_->RowCount() - 1; row >= 0; --row)
        if (RowState(row) == kRowNew && grid_->NextSelectedRow(row - 1) == row)
            grid_->DeleteRow(row);
    grid_->Synchronize();
}

int DataViewWindow::InsertRowAtTop()
{
    int row = grid_->InsertRow(0);
    for (int column = 0; column < grid_->ColumnCount(); ++column)
        grid_->SetCellText(row, column, "");
    SetRowState(row, kRowNew);
    return row;
}

void DataViewWindow::InsertNewRow()
{
    grid_->HideEditor();
    InsertRowAtTop();
    grid_->Synchronize();
    grid_->EnsureVisible(0, 0);
}

void DataViewWindow::PasteSelectedAsNew()
{
    std::vector<std::vector<VornString>> copies;
    for (int row = grid_->NextSelectedRow(-1); row >= 0; row = grid_->NextSelectedRow(row))
        copies.push_back(RowValues(row));
    grid_->HideEditor();
    // Inserted bottom first, so that the copies stand at the top in their grid order.
    for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
        int row = InsertRowAtTop();
        for (size_t i = 0; i < copy->size(); ++i)
            grid_->SetCellText(row, static_cast<int>(i) + 2, (*copy)[i]);
    }
    grid_->Synchronize();
}

void DataViewWindow::PasteClipboardAsNew()
{
    VornString text;
    if (!ReadClipboardText(window_, text)) {
        browser_.ShowMessage(window_, kNoClipboardText);
        return;
    }
    grid_->HideEditor();
    std::vector<std::vector<VornString>> rows = dataview::ClipboardRows(text, fields_.size());
    for (auto line = rows.rbegin(); line != rows.rend(); ++line) {
        int row = InsertRowAtTop();
        for (size_t i = 0; i < line->size(); ++i)
            grid_->SetCellText(row, static_cast<int>(i) + 2, (*line)[i]);
    }
    grid_->Synchronize();
    grid_->EnsureVisible(0, 0);
}

void DataViewWindow::DeleteRows(const std::vector<int>& rows, const char* continueQuestion)
{
    if (!hasKey_)
        return;
    if (!browser_.OpenConnection()) {
        browser_.ShowMessage(window_, browser_.ErrorText);
        return;
    }
    for (int row : rows) {
        VornString statement = dataview::DeleteStatement(Dialect(), table_, fields_, RowValues(row));
        browser_.ErrorText.Clear();
        if (!statement.IsEmpty() && browser_.ExecuteText(statement)) {
            SetRowState(row, kRowNormal);
            grid_->SetCellText(row, 1, "");
            continue;
        }
        MarkRowError(row, statement.IsEmpty() ? kNoKey : browser_.ErrorText.Text());
        grid_->Synchronize();
        if (!AskOkCancel(window_, WithQuestion(browser_.ErrorText, continueQuestion))) {
            browser_.CloseConnection();
            return;
        }
    }
    browser_.CloseConnection();
    grid_->Synchronize();
    browser_.ShowMessage(window_, kFinished);
}

void DataViewWindow::DeleteMarked()
{
    std::vector<int> rows;
    for (int row = 0; row < grid_->RowCount(); ++row)
        if (RowState(row) == kRowMarked)
            rows.push_back(row);
    if (rows.empty()) {
        browser_.ShowMessage(window_, kNothingMarked);
        return;
    }
    if (AskOkCancel(window_, kDeleteMarkedQuestion))
        DeleteRows(rows, kUpdateErrorQuestion);
}

void DataViewWindow::DeleteSelected()
{
    std::vector<int> rows;
    for (int row = grid_->NextSelectedRow(-1); row >= 0; row = grid_->NextSelectedRow(row))
        rows.push_back(row);
    if (rows.empty()) {
        browser_.ShowMessage(window_, kNoSelection);
        return;
    }
    if (AskOkCancel(window_, kDeleteSelectedQuestion))
        DeleteRows(rows, kContinueQuestion);
}

void DataViewWindow::ClearTable()
{
    VornString question(table_);
    question.Append(kClearQuestion);
    if (!AskOkCancel(window_, question))
        return;
    browser_.sqlText = dataview::ClearTableStatement(browser_.Kind(), table_);
    if (browser_.ExecuteSqlText() == 0) {
        browser_.ShowMessage(window_, kCleared);
        SetTableCount("0");
    } else {
        browser_.ShowMessage(window_, browser_.ErrorText);
    }
    Reload();
}

void DataViewWindow::DeleteWhere()
{
    if (browser_.whereText.IsEmpty()) {
        browser_.ShowMessage(window_, kNoCondition);
        return;
    }
    VornString question(table_);
    question.Append(kDeleteWhereQuestion);
    if (!AskOkCancel(window_, question))
        return;
    browser_.sqlText = "delete from";
    browser_.sqlText.Append(" ");
    browser_.sqlText.Append(table_);
    browser_.sqlText.Append(" where ");
    browser_.sqlText.Append(browser_.whereText);
    if (browser_.ExecuteSqlText() == 0) {
        browser_.ShowMessage(window_, kDeletedWhere);
        SetTableCount("0");
    } else {
        browser_.ShowMessage(window_, browser_.ErrorText);
    }
    Reload();
}

void DataViewWindow::ApplyChanges()
{
    grid_->HideEditor();
    if (!browser_.OpenConnection()) {
        browser_.ShowMessage(window_, kCannotConnect);
        return;
    }
    for (int row = 0; row < grid_->RowCount(); ++row) {
        int state = RowState(row);
        if (state != kRowNew && state != kRowEdited)
            continue;
        VornString statement = StatementFor(row, state == kRowNew);
        browser_.ErrorText.Clear();
        if (!statement.IsEmpty() && browser_.ExecuteText(statement)) {
            SetRowState(row, kRowNormal);
            grid_->SetCellText(row, 1, "");
            continue;
        }
        if (statement.IsEmpty())
            browser_.ErrorText = kNoKey;
        MarkRowError(row, browser_.ErrorText);
        grid_->Synchronize();
        if (!AskOkCancel(window_, WithQuestion(browser_.ErrorText, kUpdateErrorQuestion)))
            break;
    }
    browser_.CloseConnection();
    grid_->Synchronize();
}

namespace {

struct UpdateSqlChoice {
    bool insert = true;
    bool semicolon = true;
};

INT_PTR CALLBACK UpdateSqlProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        CheckRadioButton(dialog, IDC_DV_SQL_INSERT, IDC_DV_SQL_UPDATE, IDC_DV_SQL_INSERT);
        CheckDlgButton(dialog, IDC_DV_SQL_SEMICOLON, BST_CHECKED);
        RECT frame;
        GetWindowRect(dialog, &frame);
        int width = frame.right - frame.left;
        SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 200, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    UpdateSqlChoice* choice = reinterpret_cast<UpdateSqlChoice*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (LOWORD(wParam)) {
    case IDOK:
        choice->insert = IsDlgButtonChecked(dialog, IDC_DV_SQL_INSERT) == BST_CHECKED;
        choice->semicolon = IsDlgButtonChecked(dialog, IDC_DV_SQL_SEMICOLON) == BST_CHECKED;
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

VornString DataViewWindow::UpdateSqlText(bool insert, bool semicolon) const
{
    VornString file;
    for (int row = 0; row < grid_->RowCount(); ++row) {
        VornString statement = StatementFor(row, insert);
        if (!statement.IsEmpty())
            dataview::AppendUpdateSqlLine(file, statement, semicolon);
    }
    return file;
}

void DataViewWindow::WriteUpdateSqlFile()
{
    grid_->HideEditor();
    UpdateSqlChoice choice;
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DV_UPDATE_SQL), window_, UpdateSqlProcedure,
                        reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return;
    VornString folder;
    context_.settings->Read(settings::kSaveDir, kUpdateSqlFolderKey, folder);
    char file[MAX_PATH] = "";
    if (!SaveFileDialog(window_, kUpdateSqlTitle, kUpdateSqlFilter, 1, file, OFN_OVERWRITEPROMPT, folder, "sql"))
        return;
    RememberSaveFolder(*context_.settings, kUpdateSqlFolderKey, file);
    // A file that cannot be created ends the output quietly.
    TextFile output;
    if (output.OpenWrite(file))
        output.WriteLine(UpdateSqlText(choice.insert, choice.semicolon));
}
