#include "CsvExportDialog.h"

#include "CsvExport.h"
#include "app/MainSettings.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/ModalDialog.h"
#include "common/SjisText.h"
#include "resources/CsvDialogIds.h"
#include "schema/NameQuoting.h"

namespace {

const char kNoOutputFile[] = "出力ファイルを指定して下さい　　";
const char kNoOutputFolder[] = "出力ディレクトリを指定して下さい　　";
const char kConfirmExport[] = "CSV出力を実行しますか?　　";
const char kFinished[] = "処理が終了しました　　";
const char kCsvFilter[] = "CSV,*.csv,全て,*.*";
const int kTopEdge = 100;

class CsvExportDialog : public ModalDialog {
public:
    explicit CsvExportDialog(const CsvExportContext& context) : context_(context), multi_(context.tableList) {}

private:
    void OnInit() override
    {
        SetItemText(IDC_CSV_DELIMITER, ",");
        SetItemText(IDC_CSV_ENCLOSING, "\"");
        if (multi_) {
            SetItemText(IDC_CSV_PATH_LABEL, "出力ディレクトリ");
            SetText("");
        } else {
            VornString caption(context_.table);
            caption.Append(" からデータを出力します");
            SetText(caption);
        }
        PlaceCentredAt(kTopEdge);
    }

    bool OnCommand(int id, int) override
    {
        switch (id) {
        case IDC_CSV_BROWSE: multi_ ? BrowseFolder() : BrowseFile(); return true;
        case IDC_CSV_RUN: Execute(); return true;
        case IDCANCEL: End(IDCANCEL); return true;
        default: return false;
        }
    }

    void BrowseFile()
    {
        VornString folder;
        context_.settings->Read(settings::kSaveDir, settings::kDirCsvput, folder);
        char file[MAX_PATH] = "";
        VornString name = RemoveNameQuotes(context_.link->Kind(), context_.table);
        lstrcpynA(file, name, sizeof file);
        if (!SaveFileDialog(window_, nullptr, kCsvFilter, 1, file, OFN_OVERWRITEPROMPT, folder, "csv"))
            return;
        RememberSaveFolder(*context_.settings, settings::kDirCsvput, file);
        SetItemText(IDC_CSV_PATH, file);
    }

    void BrowseFolder()
    {
        VornString folder;
        context_.settings->Read(settings::kSaveDir, settings::kDirCsvput, folder);
        if (!ChooseFolder(window_, folder))
            return;
        context_.settings->Write(settings::kSaveDir, settings::kDirCsvput, folder);
        SetItemText(IDC_CSV_PATH, folder);
    }

    CsvWriteOptions Options() const
    {
        CsvWriteOptions options;
        options.titles = IsItemChecked(IDC_CSV_TITLES);
        options.fields.delimiter = IsItemChecked(IDC_CSV_TAB) ? VornString("\t") : ItemText(IDC_CSV_DELIMITER);
        options.fields.enclosing = ItemText(IDC_CSV_ENCLOSING);
        options.fields.encloseAll = IsItemChecked(IDC_CSV_ENCLOSE_ALL);
        options.fields.encloseNonNumeric = IsItemChecked(IDC_CSV_ENCLOSE_NON_NUMERIC);
        options.fields.removeLineBreaks = IsItemChecked(IDC_CSV_REMOVE_BREAKS);
        options.fields.escapeLineBreaks = IsItemChecked(IDC_CSV_ESCAPE_BREAKS);
        return options;
    }

    // False when the user was told why the file is missing or incomplete.
    bool Write(const char* select, const char* path)
    {
        SetItemText(IDC_CSV_RECORD_COUNT, "");
        SetItemText(IDC_CSV_WRITTEN, "0");
        CsvWriteResult result = WriteCsvFile(
            *context_.link, select, Options(), path,
            [this](long records) {
                if (records >= 0)
                    SetItemTextFormat(IDC_CSV_RECORD_COUNT, "%ld", records);
            },
            [this](long rows) {
                SetItemTextFormat(IDC_CSV_WRITTEN, "%ld", rows);
                PumpPaint();
            });
        if (!result.opened || result.readFailed) {
            ShowWarning(window_, context_.link->ErrorText);
            return false;
        }
        if (!result.written) {
            VornString message;
            message.Format("%s の書き込みに失敗しました　　", path);
            ShowWarning(window_, message);
            return false;
        }
        return true;
    }

    // The counters are drawn while the rows are written on this thread.
    void PumpPaint()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageA(&message);
    }

    void Execute()
    {
        VornString path = ItemText(IDC_CSV_PATH);
        if (path.IsEmpty()) {
            ShowWarning(window_, multi_ ? kNoOutputFolder : kNoOutputFile);
            return;
        }
        if (!AskYesNo(window_, kConfirmExport))
            return;
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        if (multi_)
            WriteSelectedTables(path);
        else
            Write(CsvExportSelect(context_.link->Kind(), context_.table, context_.selectList,
                                  context_.explicitColumns, context_.whereText, context_.orderText),
                  path);
        SetCursor(previous);
        ShowWarning(window_, kFinished);
        if (multi_)
            SetText("");
    }

    void WriteSelectedTables(VornString folder)
    {
        if (!sjis::EndsWithChar(folder.Text(), '\\'))
            folder.Append("\\");
        const DatabaseKind kind = context_.link->Kind();
        const GridView& tables = *context_.tableList;
        for (int row = tables.NextSelectedRow(-1); row >= 0; row = tables.NextSelectedRow(row)) {
            VornString name = tables.CellText(row, 1);
            VornString enclosed = EncloseName(kind, name);
            VornString caption(enclosed);
            caption.Append(" を出力しています");
            SetText(caption);
            std::vector<VornString> columns;
            if (kind == DatabaseKind::Oracle && context_.columnsOf)
                columns = context_.columnsOf(name);
            VornString path(folder);
            path.Append(name);
            path.Append(".csv");
            // A table that fails has been reported; the others are still written.
            Write(CsvExportSelect(kind, enclosed, "*", columns, "", ""), path);
        }
    }

    CsvExportContext context_;
    bool multi_;
};

}  // namespace

void RunCsvExport(HWND owner, const CsvExportContext& context)
{
    if (!context.link || !context.settings)
        return;
    CsvExportDialog dialog(context);
    dialog.Run(owner, IDD_CSV_EXPORT);
}
