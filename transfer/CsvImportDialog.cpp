#include "CsvImportDialog.h"

#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <memory>

#include "CsvImport.h"
#include "app/MainSettings.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/ModalDialog.h"
#include "common/TextFile.h"
#include "common/WorkerThread.h"
#include "db/TypeCatalogue.h"
#include "resources/CsvDialogIds.h"
#include "resources/DataViewIds.h"
#include "schema/NameQuoting.h"

namespace {

const char kNoInputFile[] = "入力ファイルを指定して下さい　　";
const char kConfirmImport[] = "CSV入力を実行しますか?　　";
const char kInputUnopened[] = "入力ファイルのオープンに失敗しました　　";
const char kCancelled[] = "処理がキャンセルされました　　";
const char kFinished[] = "処理が終了しました　　";
const char kCsvFilter[] = "CSV,*.csv,全て,*.*";
const UINT kImportEnded = WM_APP + 1;

class CsvImportDialog : public ModalDialog {
public:
    explicit CsvImportDialog(const CsvImportContext& context) : context_(context) {}

private:
    void OnInit() override
    {
        SetItemText(IDC_CSV_DELIMITER, ",");
        SetItemText(IDC_CSV_ENCLOSING, "\"");
        CenterOnDesktop();
    }

    bool OnCommand(int id, int) override
    {
        switch (id) {
        case IDC_CSV_BROWSE: Browse(); return true;
        case IDC_CSV_RUN: Start(); return true;
        case IDC_CSV_CANCEL_RUN:
            running_ = false;
            DisableItem(IDC_CSV_CANCEL_RUN);
            return true;
        case IDCANCEL:
            // Only an idle dialog closes: the worker owns the files while it runs.
            if (!run_)
                End(IDCANCEL);
            return true;
        default: return false;
        }
    }

    INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message != kImportEnded)
            return FALSE;
        Finish();
        return TRUE;
    }

    void Browse()
    {
        VornString folder;
        context_.settings->Read(settings::kSaveDir, settings::kDirCsvput, folder);
        char file[MAX_PATH] = "";
        if (!OpenFileDialog(window_, nullptr, kCsvFilter, 1, file, OFN_FILEMUSTEXIST, folder, "csv"))
            return;
        RememberSaveFolder(*context_.settings, settings::kDirCsvput, file);
        SetItemText(IDC_CSV_PATH, file);
        long lines = TextFile::CountLines(file);
        SetItemTextFormat(IDC_CSV_LINE_COUNT, "%ld", lines < 0 ? 0 : lines);
        SendDlgItemMessageA(window_, IDC_CSV_PROGRESS, PBM_SETRANGE32, 1, lines > 1 ? lines : 1);
        SendDlgItemMessageA(window_, IDC_CSV_PROGRESS, PBM_SETPOS, 0, 0);
    }

    CsvImportOptions Options() const
    {
        CsvImportOptions options;
        options.skipFirstLine = IsItemChecked(IDC_CSV_SKIP_FIRST);
        options.replaceEscapedLineBreaks = IsItemChecked(IDC_CSV_LINE_BREAKS);
        options.split.delimiter = IsItemChecked(IDC_CSV_TAB) ? VornString("\t") : ItemText(IDC_CSV_DELIMITER);
        options.split.removeEnclosing = IsItemChecked(IDC_CSV_REMOVE_ENCLOSING);
        VornString enclosing = ItemText(IDC_CSV_ENCLOSING);
        options.split.enclosing = enclosing.IsEmpty() ? '\0' : enclosing.Text()[0];
        return options;
    }

    std::vector<transfer::CsvImportColumn> Columns() const
    {
        std::vector<VornString> categories = CsvColumnCategories(context_.columnNames, context_.definition);
        std::vector<transfer::CsvImportColumn> columns;
        for (size_t i = 0; i < context_.columnNames.size(); ++i)
            columns.push_back({EncloseName(context_.link->Kind(), context_.columnNames[i]), categories[i]});
        return columns;
    }

    void ShowCounts(const CsvImportCounts& counts)
    {
        SetItemTextFormat(IDC_CSV_INSERTED, "%ld", counts.inserted);
        SetItemTextFormat(IDC_CSV_SKIPPED, "%ld", counts.skipped);
        SetItemTextFormat(IDC_CSV_FAILED, "%ld", counts.failed);
        SendDlgItemMessageA(window_, IDC_CSV_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(counts.Lines()), 0);
    }

    void Start()
    {
        VornString path = ItemText(IDC_CSV_PATH);
        if (path.IsEmpty()) {
            ShowWarning(window_, kNoInputFile);
            return;
        }
        if (!AskYesNo(window_, kConfirmImport))
            return;
        ShowCounts(CsvImportCounts());
        path.Unquote('"');
        if (!input_.Open(path)) {
            ShowWarning(window_, kInputUnopened);
            return;
        }
        errorPath_ = transfer::CsvErrorFilePath(path);
        if (!errors_.OpenWrite(errorPath_)) {
            input_.Close();
            ShowWarning(window_, kInputUnopened);
            return;
        }
        run_ = std::make_unique<CsvImportRun>(context_.link->Kind(), context_.link->record.connectionString,
                                              context_.table, Columns(), Options());
        if (!run_->Connect()) {
            ShowWarning(window_, run_->ErrorText().c_str());
            StopFiles();
            DeleteFileA(errorPath_);
            run_.reset();
            return;
        }
        run_->running = &running_;
        run_->progress = [this](const CsvImportCounts& counts) { ShowCounts(counts); };
        EnableItem(IDC_CSV_CANCEL_RUN, true);
        DisableItem(IDC_CSV_BROWSE);
        DisableItem(IDC_CSV_RUN);
        running_ = true;
        if (!worker_.Start(Work, this)) {
            running_ = false;
            Finish();
        }
    }

    static DWORD WINAPI Work(void* context)
    {
        auto* self = static_cast<CsvImportDialog*>(context);
        HRESULT com = CoInitialize(nullptr);
        self->run_->Run(self->input_, self->errors_);
        if (SUCCEEDED(com))
            CoUninitialize();
        PostMessageA(self->window_, kImportEnded, 0, 0);
        return 0;
    }

    void StopFiles()
    {
        input_.Close();
        errors_.Close();
    }

    void Finish()
    {
        worker_.WaitForExit();
        running_ = false;
        const bool cancelled = run_->Cancelled();
        StopFiles();
        if (run_->Counts().failed == 0)
            DeleteFileA(errorPath_);
        run_->Finish(cancelled);
        if (context_.dataView)
            PostMessageA(context_.dataView, WM_COMMAND, IDM_DV_REFRESH, 0);
        if (!cancelled) {
            int upper = static_cast<int>(SendDlgItemMessageA(window_, IDC_CSV_PROGRESS, PBM_GETRANGE, FALSE, 0));
            SendDlgItemMessageA(window_, IDC_CSV_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(upper), 0);
        }
        run_.reset();
        DisableItem(IDC_CSV_CANCEL_RUN);
        EnableItem(IDC_CSV_BROWSE, true);
        EnableItem(IDC_CSV_RUN, true);
        ShowWarning(window_, cancelled ? kCancelled : kFinished);
    }

    CsvImportContext context_;
    std::unique_ptr<CsvImportRun> run_;
    std::atomic<bool> running_{false};
    LineReader input_;
    TextFile errors_;
    VornString errorPath_;
    WorkerThread worker_;
};

}  // namespace

std::vector<VornString> CsvColumnCategories(const std::vector<VornString>& columnNames,
                                            const DefinitionRows& definition)
{
    std::vector<VornString> categories;
    for (const VornString& name : columnNames) {
        const char* category = "未定義";
        for (const DefinitionRow& row : definition)
            if (row.size() > kDefAdoType && row[kDefName].EqualsIgnoreCase(name)) {
                category = LiteralCategory(row[kDefAdoType]);
                break;
            }
        categories.push_back(VornString(category));
    }
    return categories;
}

void RunCsvImport(HWND owner, const CsvImportContext& context)
{
    if (!context.link || !context.settings)
        return;
    CsvImportDialog dialog(context);
    dialog.Run(owner, IDD_CSV_IMPORT);
}
