// The items of the menus filled from menu files, and the user menu: what choosing one does
// with the file's first line and body.
#include <windows.h>

#include "MainWindow.h"
#include "MainWindowRules.h"
#include "MenuFiles.h"
#include "UserMenu.h"
#include "command/Directives.h"
#include "common/MenuHelpers.h"
#include "common/MessageBoxes.h"
#include "common/SjisText.h"
#include "common/ProgramLauncher.h"
#include "common/TextFile.h"
#include "resources/resource.h"

namespace {

const int kKindMenuPosition = 4;
const int kToolMenuPosition = 5;
const int kSkeletonMenuPosition = 7;

// The file's first line (without its line end) and the rest.
void SplitFirstLine(const VornString& text, VornString& firstLine, VornString& body)
{
    long end = text.Find("\n");
    if (end < 0) {
        firstLine = text;
        body.Clear();
    } else {
        firstLine.Assign(text.Text(), static_cast<size_t>(end));
        body = text.Text() + end + 1;
    }
    if (sjis::EndsWithChar(firstLine, '\r'))
        firstLine.Chop();
}

VornString WithCrLf(const char* text)
{
    VornString converted(text);
    converted.ReplaceAll("\r\n", "\n");
    converted.ReplaceAll("\n", "\r\n");
    return converted;
}

}  // namespace

void MainWindow::BuildToolMenu() { menuFiles_.BuildToolMenu(SubMenuAt(menu_, kToolMenuPosition), programFolder_); }

void MainWindow::BuildKindMenus()
{
    // The type names are a convenience of the structure dialogs: a provider that cannot list
    // them leaves the list empty instead of greeting every connection with an error box.
    auto providerTypes = [this]() {
        DbLink::MessageSink shown = browser_.messageSink;
        browser_.messageSink = [](HWND, const char*) {};
        TokenList names = ProviderTypeNames(browser_, *countGrid_);
        browser_.messageSink = shown;
        return names;
    };
    menuFiles_.BuildKindMenus(SubMenuAt(menu_, kKindMenuPosition), SubMenuAt(menu_, kSkeletonMenuPosition),
                              programFolder_, browser_.Kind(), providerTypes);
    DrawMenuBar(window_);
}

bool MainWindow::OnMenuFileCommand(UINT id)
{
    if ((id >= IDM_KIND_MENU_FIRST && id <= IDM_KIND_MENU_LAST) ||
        (id >= IDM_SKELETON_MENU_FIRST && id <= IDM_SKELETON_MENU_LAST)) {
        RunMenuFile(id, MenuFileFamily::KindMenu);
        return true;
    }
    if (id >= IDM_TOOL_MENU_FIRST && id <= IDM_TOOL_MENU_LAST) {
        RunMenuFile(id, MenuFileFamily::ToolMenu);
        return true;
    }
    if (IsUserMenuId(id)) {
        RunUserMenuCommand(window_, id, settings_, *definitionView_);
        return true;
    }
    return false;
}

void MainWindow::RunMenuFile(UINT id, MenuFileFamily family)
{
    VornString path = menuFiles_.PathOf(id);
    if (path.IsEmpty())
        return;
    TextFile file;
    VornString text;
    if (!file.OpenRead(path) || !file.ReadAll(text)) {
        VornString message;
        message.Format("%s のオープンに失敗しました　　", path.Text());
        ShowWarning(window_, message);
        return;
    }
    VornString firstLine, body;
    SplitFirstLine(text, firstLine, body);
    MenuFileCommand command = ClassifyMenuFile(family, firstLine);
    switch (command.action) {
    case MenuFileAction::Skeleton:
        SetExecutionType(command.executionType);
        SetCommandAreaText(WithCrLf(body));
        break;
    case MenuFileAction::RunAsType:
        lastNonSqlText_ = WithCrLf(body);
        RunNonSql(lastNonSqlText_, command.executionType);
        break;
    case MenuFileAction::Execute:
        ExecuteMenuCommandLine(body);
        break;
    case MenuFileAction::Schema:
        RunSchemaQuery(body, menuFiles_.CaptionOf(id));
        break;
    case MenuFileAction::RunSql:
        RunMenuSql(text, menuFiles_.CaptionOf(id));
        break;
    case MenuFileAction::Options:
        ShowOptions();
        break;
    case MenuFileAction::CsvPut:
    case MenuFileAction::CsvGet:
        OpenMySqlCsv(command.action == MenuFileAction::CsvGet);
        break;
    case MenuFileAction::LhaArchive:
    case MenuFileAction::ZipArchive:
        OpenArchiveWindow(command.action == MenuFileAction::ZipArchive);
        break;
    default:
        break;  // other first lines of tool files do nothing
    }
}

void MainWindow::ExecuteMenuCommandLine(const char* body)
{
    VornString commandLine = StripDirectives(body);
    if (!ExpandBothSteps(commandLine))
        return;
    commandLine.ReplaceAll("\r\n", " ");
    commandLine.ReplaceAll("\r", " ");
    commandLine.ReplaceAll("\n", " ");
    commandLine.TrimBlanks();
    if (!commandLine.IsEmpty())
        RunProgram(commandLine, nullptr);
}

void MainWindow::ReportMenuResult(int rows, const char* caption)
{
    if (rows == -99) {
        status_.SetSimpleText("RDBMS 固有コマンドが、レコードセットの発生しないコマンドを実行しました");
    } else if (rows >= 0) {
        status_.SetSimpleTextFormat("RDBMS 固有コマンド 【 %s 】 の結果を表示しました ( %d/%ld )", caption, rows,
                                    browser_.RowLimit);
        ShowFreeSqlMode();
        if (rows > 0)
            definitionView_->SelectRow(0, true);
    }
}

void MainWindow::RunSchemaQuery(const char* body, const char* caption)
{
    if (!IsConnected())
        return;
    VornString text(body);
    if (!ExpandBothSteps(text))
        return;
    text.ReplaceAll("\r\n", "\n");
    std::vector<VornString> lines;
    const char* start = text.Text();
    for (const char* p = start;; ++p) {
        if (*p == '\n' || *p == '\0') {
            VornString line;
            line.Assign(start, static_cast<size_t>(p - start));
            lines.push_back(line);
            if (*p == '\0')
                break;
            start = p + 1;
        }
    }
    long schema = lines.empty() ? 0 : lines[0].ToInteger();
    std::vector<VornString> restrictions;
    VornString sort;
    if (lines.size() >= 4) {
        size_t count = static_cast<size_t>(lines[1].ToInteger());
        for (size_t i = 0; i < count && 2 + i < lines.size(); ++i)
            restrictions.push_back(lines[2 + i]);
        if (2 + count < lines.size())
            sort = lines[2 + count];
    }
    int rows = browser_.FillSchemaList(*definitionView_, schema, restrictions.empty() ? nullptr : &restrictions, sort);
    ReportMenuResult(rows, caption);
}

void MainWindow::RunMenuSql(const char* wholeFile, const char* caption)
{
    if (!IsConnected())
        return;
    VornString text(wholeFile);
    if (text.Find(";") >= 0) {
        RunSeveralStatements(StripDirectives(text));
        return;
    }
    if (!ExpandBothSteps(text))
        return;
    TrimStatement(text);
    browser_.sqlText = text;
    ReportMenuResult(browser_.FillResultList(*definitionView_), caption);
}
