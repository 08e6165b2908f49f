#include "MySqlCsvDialogs.h"

#include <vector>

#include "MySqlCsvSql.h"
#include "app/MainSettings.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/ModalDialog.h"
#include "resources/CsvDialogIds.h"
#include "schema/NameQuoting.h"

namespace {

const char kNoInputFile[] = "入力ファイルを指定して下さい　　";
const char kFinished[] = "処理が終了しました　　";
const char kContinue[] = "続行しますか?\n";
const char kCsvFilter[] = "CSV,*.csv,全て,*.*";
const int kTopEdge = 100;

class MySqlCsvDialog : public ModalDialog {
public:
    MySqlCsvDialog(const MySqlCsvContext& context, bool import) : context_(context), import_(import) {}

private:
    void OnInit() override
    {
        CheckRadioButton(window_, IDC_MY_COMMA, IDC_MY_OTHER_SEPARATOR, IDC_MY_COMMA);
        CheckRadioButton(window_, IDC_MY_CRLF, IDC_MY_OTHER_LINE_END, IDC_MY_CRLF);
        CheckRadioButton(window_, IDC_MY_NO_ENCLOSING, IDC_MY_OTHER_ENCLOSING, IDC_MY_NO_ENCLOSING);
        if (import_)
            CheckRadioButton(window_, IDC_MY_REPLACE, IDC_MY_IGNORE, IDC_MY_REPLACE);
        PlaceCentredAt(kTopEdge);
    }

    bool OnCommand(int id, int) override
    {
        switch (id) {
        case IDC_MY_BROWSE: Browse(); return true;
        case IDC_MY_RUN: import_ ? Import(true) : Export(true); return true;
        case IDC_MY_TO_NOTEPAD: import_ ? Import(false) : Export(false); return true;
        case IDCANCEL: End(IDCANCEL); return true;
        default: return false;
        }
    }

    void Browse()
    {
        VornString folder;
        context_.settings->Read(settings::kSaveDir, settings::kDirMySQLcsv, folder);
        if (!import_) {
            if (ChooseFolder(window_, folder))
                SetItemText(IDC_MY_PATH, folder);
            return;
        }
        char file[MAX_PATH] = "";
        if (!OpenFileDialog(window_, nullptr, kCsvFilter, 1, file, OFN_FILEMUSTEXIST, folder, "csv"))
            return;
        RememberSaveFolder(*context_.settings, settings::kDirMySQLcsv, file);
        SetItemText(IDC_MY_PATH, file);
    }

    transfer::MySqlCsvFormat Format() const
    {
        using Format = transfer::MySqlCsvFormat;
        Format format;
        if (IsItemChecked(IDC_MY_TAB))
            format.separator = Format::Separator::Tab;
        else if (IsItemChecked(IDC_MY_OTHER_SEPARATOR))
            format.separator = Format::Separator::Other;
        format.otherSeparator = ItemText(IDC_MY_SEPARATOR);
        if (IsItemChecked(IDC_MY_LF))
            format.lineEnd = Format::LineEnd::Lf;
        else if (IsItemChecked(IDC_MY_CR))
            format.lineEnd = Format::LineEnd::Cr;
        else if (IsItemChecked(IDC_MY_OTHER_LINE_END))
            format.lineEnd = Format::LineEnd::Other;
        format.otherLineEnd = ItemText(IDC_MY_LINE_END);
        if (IsItemChecked(IDC_MY_DOUBLE_QUOTE))
            format.enclosing = Format::Enclosing::DoubleQuote;
        else if (IsItemChecked(IDC_MY_OTHER_ENCLOSING))
            format.enclosing = Format::Enclosing::Other;
        format.otherEnclosing = ItemText(IDC_MY_ENCLOSING);
        format.optionally = IsItemChecked(IDC_MY_OPTIONALLY);
        return format;
    }

    std::vector<VornString> SelectedTables() const
    {
        std::vector<VornString> tables;
        const GridView& list = *context_.tableList;
        for (int row = list.NextSelectedRow(-1); row >= 0; row = list.NextSelectedRow(row))
            tables.push_back(list.CellText(row, 1));
        return tables;
    }

    // 0 success, -2 failure with the link's ErrorText.
    int Execute(const char* statement)
    {
        context_.link->sqlText = statement;
        return context_.link->ExecuteSqlText();
    }

    void Import(bool run)
    {
        VornString path = ItemText(IDC_MY_PATH);
        if (path.IsEmpty()) {
            ShowWarning(window_, kNoInputFile);
            return;
        }
        std::vector<VornString> tables = SelectedTables();
        if (tables.empty())
            return;
        VornString statement = transfer::MySqlLoadStatement(
            path, IsItemChecked(IDC_MY_REPLACE), EncloseName(DatabaseKind::MySql, tables[0]), Format());
        if (!run) {
            statement.Append(";\r\n");
            if (context_.toNotepad)
                context_.toNotepad(statement);
            return;
        }
        if (Execute(statement) != 0)
            ShowWarning(window_, context_.link->ErrorText);
        else
            ShowWarning(window_, kFinished);
    }

    void Export(bool run)
    {
        const VornString folder = ItemText(IDC_MY_PATH);
        const transfer::MySqlCsvFormat format = Format();
        VornString collected;
        for (const VornString& table : SelectedTables()) {
            VornString path = transfer::MySqlOutfilePath(folder, table);
            VornString statement =
                transfer::MySqlOutfileStatement(EncloseName(DatabaseKind::MySql, table), path, format);
            if (!run) {
                collected.Append(statement);
                collected.Append(";\r\n");
                continue;
            }
            // The server will not write over a file; this machine's old one goes first.
            if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
                DeleteFileA(path);
            if (Execute(statement) == 0)
                continue;
            VornString question(kContinue);
            question.Append(context_.link->ErrorText);
            if (!AskYesNo(window_, question))
                break;
        }
        if (!run) {
            if (context_.toNotepad)
                context_.toNotepad(collected);
            return;
        }
        ShowWarning(window_, kFinished);
    }

    MySqlCsvContext context_;
    bool import_;
};

void Run(HWND owner, const MySqlCsvContext& context, bool import)
{
    if (!context.link || !context.tableList || !context.settings)
        return;
    MySqlCsvDialog dialog(context, import);
    dialog.Run(owner, import ? IDD_MYSQL_CSV_IMPORT : IDD_MYSQL_CSV_EXPORT);
}

}  // namespace

void RunMySqlCsvImport(HWND owner, const MySqlCsvContext& context) { Run(owner, context, true); }
void RunMySqlCsvExport(HWND owner, const MySqlCsvContext& context) { Run(owner, context, false); }
