// Lists handed over by other programs: they hold the mutex "Kestrova" while they put text
// on the clipboard and post one of these commands; the main window takes the mutex before
// it touches the clipboard.
#include "MainWindow.h"
#include "MainWindowRules.h"
#include "common/Clipboard.h"
#include "resources/resource.h"

namespace {

const DWORD kMutexWait = 10000;

char SeparatorOf(LPARAM lParam) { return lParam ? static_cast<char>(lParam) : '\t'; }

void AddRow(GridView& view, const ClipboardTable& table, size_t line)
{
    view.AddRow();
    for (int column = 0; column < table.FieldCount(line); ++column)
        view.SetText(column, table.Field(line, column));
}

}  // namespace

void MainWindow::OnExternalList(UINT id, LPARAM lParam)
{
    if (id == IDM_EXTERNAL_COMMAND) {
        ExternalCommand(lParam);
        return;
    }
    if (mutex_)
        WaitForSingleObject(mutex_, kMutexWait);
    switch (id) {
    case IDM_EXTERNAL_LIST:
        ShowClipboardTable(true, SeparatorOf(lParam));
        break;
    case IDM_SIMPLE_PASTE:
        ShowClipboardTable(false, SeparatorOf(lParam));
        break;
    case IDM_APPEND_PASTE:
        AppendClipboardRows(SeparatorOf(lParam));
        break;
    case IDM_COPY_LOWER_VIEW:
        CopyLowerViewToClipboard();
        break;
    default:
        break;
    }
    if (mutex_)
        ReleaseMutex(mutex_);
}

void MainWindow::ShowClipboardTable(bool headingsFromFirstLine, char separator)
{
    VornString text;
    ReadClipboardText(window_, text);
    ClipboardTable table(text, separator);
    GridView& view = *definitionView_;
    view.Hide();
    view.Clear();
    if (table.LineCount() > 0) {
        for (int column = 0; column < table.FieldCount(0); ++column) {
            VornString heading;
            if (headingsFromFirstLine)
                heading = table.Field(0, column);
            else
                heading.Format("%u", static_cast<unsigned>(column + 1));
            view.AddColumn(heading, 100);
        }
    }
    for (size_t line = headingsFromFirstLine ? 1 : 0; line < table.LineCount(); ++line) {
        if (!table.IsBlank(line))
            AddRow(view, table, line);
    }
    ShowFreeSqlMode();
    view.Show();
    if (view.RowCount() > 0)
        view.SelectRow(0, true);
}

void MainWindow::AppendClipboardRows(char separator)
{
    VornString text;
    ReadClipboardText(window_, text);
    GridView& view = *definitionView_;
    ClipboardTable table(text, separator);
    for (size_t line = 0; line < table.LineCount(); ++line) {
        if (!table.IsBlank(line))
            AddRow(view, table, line);
    }
    if (view.RowCount() > 0) {
        view.SelectAll(false);
        view.SelectRow(view.RowCount() - 1, true);
        view.EnsureVisible(view.RowCount() - 1, 0);
    }
}

void MainWindow::CopyLowerViewToClipboard()
{
    definitionView_->CopyToClipboard(0, false, true, kExportTab);
}

void MainWindow::ExternalCommand(LPARAM lParam)
{
    if (!freeSql_)
        return;
    switch (lParam) {
    case 1: {
        if (mutex_)
            WaitForSingleObject(mutex_, kMutexWait);
        VornString title;
        ReadClipboardText(window_, title);
        definitionView_->AddColumn(title, 100);
        definitionView_->AutoSizeColumns();
        if (mutex_)
            ReleaseMutex(mutex_);
        break;
    }
    case 2:
        if (mutex_ && !heldMutex_ && WaitForSingleObject(mutex_, kMutexWait) != WAIT_TIMEOUT)
            heldMutex_ = mutex_;
        break;
    case 102: {
        VornString count;
        count.Format("%lu", static_cast<unsigned long>(definitionView_->RowCount()));
        PutClipboardText(window_, count);
        if (heldMutex_) {
            ReleaseMutex(heldMutex_);
            heldMutex_ = nullptr;
        }
        break;
    }
    default:
        break;
    }
}
