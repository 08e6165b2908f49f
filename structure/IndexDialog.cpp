#include "IndexDialog.h"

#include <memory>
#include <vector>

#include "common/Clipboard.h"
#include "common/KeysAndCursor.h"
#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "db/AdoConstants.h"
#include "resources/IndexDialogIds.h"
#include "structure/IndexSql.h"
#include "structure/StructureGridDialog.h"   // FollowOwner

namespace {

const char kSelectColumns[] = "列を選択して下さい　　";
const char kEnterName[] = "インデックス名を入力して下さい　　";
const char kAskCreate[] = "インデックスを作成しますか?　　";
const char kCreated[] = "インデックスが作成されました　　　";
const char kCreateFailed[] = "インデックス作成に失敗しました　　　\n";
const char kAskPrimaryKey[] = "主キーを作成しますか?　　";
const char kPrimaryKeyCreated[] = "主キーが作成されました　　";
const char kPrimaryKeyFailed[] = "主キー作成に失敗しました　　　\n";
const char kAskDrop[] = "選択されたインデックスを削除しますか?　　";
const char kDropFailed[] = " の削除に失敗しました　　　\n";
const char kPlacementSection[] = "SortWindowSize";
const char kHelpPage[] = "help\\IndexMtn.htm";
const char kHelpHandler[] = "RunDLL32.EXE url.dll,FileProtocolHandler \"";
const int kGridFontPoints = 10;
// The sort position's column among the data view's per-column options.
const int kOptionSortPosition = 4;

const char* const kSchemaColumns[] = {"INDEX_NAME", "PRIMARY_KEY", "UNIQUE", "ORDINAL_POSITION", "COLUMN_NAME"};

// How a control follows the dialog's growth, in halves of it: the lists split it in two
// each way, the controls on the right move with the right edge.
struct Anchor {
    int id;
    int left, top, right, bottom;
};
const Anchor kAnchors[] = {
    {IDC_INDEX_LIST, 0, 0, 1, 1},          {IDC_INDEX_COLUMNS, 1, 0, 2, 1},
    {IDC_INDEX_AVAILABLE, 0, 1, 1, 2},     {IDC_INDEX_CHOSEN, 1, 1, 2, 2},
    {IDC_INDEX_NAME_LABEL, 2, 0, 2, 0},    {IDC_INDEX_NAME, 2, 0, 2, 0},
    {IDC_INDEX_UNIQUE, 2, 0, 2, 0},        {IDC_INDEX_CREATE, 2, 0, 2, 0},
    {IDC_INDEX_PRIMARY_KEY, 2, 0, 2, 0},   {IDC_INDEX_DROP, 2, 0, 2, 0},
    {IDC_INDEX_NOTE, 2, 0, 2, 0},
};
const size_t kAnchorCount = sizeof kAnchors / sizeof kAnchors[0];

class IndexDialog {
public:
    explicit IndexDialog(const IndexMaintenanceContext& context) : context_(context), browser_(*context.browser) {}

    void Run(HWND owner)
    {
        owner_ = owner;
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INDEX_MAINTENANCE), owner, Procedure,
                        reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            return reinterpret_cast<IndexDialog*>(lParam)->OnInitDialog(dialog);
        }
        IndexDialog* self = reinterpret_cast<IndexDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        return self ? self->OnMessage(message, wParam, lParam) : FALSE;
    }

    DatabaseKind Kind() const { return browser_.Kind(); }

    IndexTarget Target() const
    {
        IndexTarget target;
        target.kind = Kind();
        target.excelThroughDsn = browser_.excelThroughDsn;
        target.table = browser_.tableName;
        return target;
    }

    INT_PTR OnInitDialog(HWND dialog)
    {
        dialog_ = dialog;
        SetWindowTextA(dialog, IndexCaption(browser_.tableName));
        SetDlgItemTextA(dialog, IDC_INDEX_NOTE, IndexNote(Kind()));
        CreateGrids();
        FillAvailable();
        if (!LoadIndexes()) {
            closed_ = true;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        Preselect();
        RecordLayout();
        if (!context_.settings || !WindowBase(dialog).RestorePosition(kPlacementSection, *context_.settings))
            PlaceStandard();
        LayOut();
        return TRUE;
    }

    GridView& Adopt(std::unique_ptr<GridView>& grid, int id)
    {
        grid.reset(new GridView(GetDlgItem(dialog_, id)));
        grid->SetFullRowSelectWithGridLines();
        grid->SetGridFont(kGridFontPoints, 0, false);
        return *grid;
    }

    void CreateGrids()
    {
        Adopt(indexes_, IDC_INDEX_LIST).AddColumn("ﾀｲﾌﾟ", 30);
        indexes_->AddColumn("名称", 200);
        Adopt(indexColumns_, IDC_INDEX_COLUMNS).AddColumn("№", 30);
        indexColumns_->AddColumn("列名", 200);
        Adopt(available_, IDC_INDEX_AVAILABLE).AddColumn("№", 30);
        available_->AddColumn("列名", 200);
        Adopt(chosen_, IDC_INDEX_CHOSEN).AddColumn("", 0);
        chosen_->AddColumn("№", 30);
        chosen_->AddColumn("選択された列名", 200);
        schema_.reset(new GridView(dialog_, 0, 0, 10, 10));
        schema_->Hide();
        lookup_.reset(new GridView(dialog_, 0, 0, 10, 10));
        lookup_->Hide();
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        HWND list = reinterpret_cast<HWND>(wParam);
        int row = static_cast<short>(LOWORD(lParam));
        switch (message) {
        case WM_NOTIFY:
            for (GridView* grid : {indexes_.get(), indexColumns_.get(), available_.get(), chosen_.get()})
                if (grid && grid->HandleNotify(dialog_, lParam))
                    break;
            return FALSE;
        case WM_SIZE:
            OnSize(wParam);
            return TRUE;
        case WM_DESTROY:
            // The grids let go of their subclasses while the windows still exist.
            indexes_.reset();
            indexColumns_.reset();
            available_.reset();
            chosen_.reset();
            schema_.reset();
            lookup_.reset();
            return FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        case kGridClick:
            if (Is(list, indexes_))
                ShowIndexColumns(row);
            return TRUE;
        case kGridDoubleClick:
        case kGridReturn:
            Activate(list, row);
            return TRUE;
        case kGridRightClick:
            if (Is(list, indexes_))
                CopyName(*indexes_, row, kIndexName);
            else if (Is(list, indexColumns_))
                CopyName(*indexColumns_, row, kIndexColumnName);
            return TRUE;
        default:
            return FALSE;
        }
    }

    static bool Is(HWND list, const std::unique_ptr<GridView>& grid) { return grid && grid->ListHandle() == list; }

    INT_PTR OnCommand(int id)
    {
        switch (id) {
        case IDC_INDEX_CREATE:
            CreateIndex();
            return TRUE;
        case IDC_INDEX_PRIMARY_KEY:
            CreatePrimaryKey();
            return TRUE;
        case IDC_INDEX_DROP:
            DropIndexes();
            return TRUE;
        case IDM_INDEX_RESET:
            Reset();
            return TRUE;
        case IDM_INDEX_HELP:
            OpenHelp();
            return TRUE;
        case IDOK:
            // A list view in a dialog does not see Enter: the dialog takes it for OK.
            if (GetFocus() == available_->ListHandle())
                Activate(GetFocus(), available_->NextSelectedRow(-1));
            else if (GetFocus() == chosen_->ListHandle())
                Activate(GetFocus(), chosen_->NextSelectedRow(-1));
            return TRUE;
        case IDCANCEL:
            Close();
            return TRUE;
        default:
            return FALSE;
        }
    }

    void OnSize(WPARAM how)
    {
        LayOut();
        FollowOwner(dialog_, owner_, how);
    }

    void Close()
    {
        if (context_.settings)
            WindowBase(dialog_).SavePosition(kPlacementSection, *context_.settings);
        if (owner_ && !IsWindowVisible(owner_))
            ShowWindow(owner_, SW_SHOW);
        closed_ = true;
        EndDialog(dialog_, IDCANCEL);
    }

    void RecordLayout()
    {
        RECT client;
        GetClientRect(dialog_, &client);
        initialClient_ = {client.right, client.bottom};
        for (size_t i = 0; i < kAnchorCount; ++i) {
            GetWindowRect(GetDlgItem(dialog_, kAnchors[i].id), &initialRects_[i]);
            MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&initialRects_[i]), 2);
        }
        laidOut_ = true;
    }

    void LayOut()
    {
        if (!laidOut_)
            return;
        RECT client;
        GetClientRect(dialog_, &client);
        int dx = client.right - initialClient_.cx;
        int dy = client.bottom - initialClient_.cy;
        for (size_t i = 0; i < kAnchorCount; ++i) {
            const Anchor& anchor = kAnchors[i];
            RECT r = initialRects_[i];
            r.left += dx * anchor.left / 2;
            r.right += dx * anchor.right / 2;
            r.top += dy * anchor.top / 2;
            r.bottom += dy * anchor.bottom / 2;
            MoveWindow(GetDlgItem(dialog_, anchor.id), r.left, r.top, r.right > r.left ? r.right - r.left : 0,
                       r.bottom > r.top ? r.bottom - r.top : 0, TRUE);
        }
    }

    // The sort dialog's placement, whose section this dialog shares.
    void PlaceStandard()
    {
        int width = GetSystemMetrics(SM_CXSCREEN);
        int height = GetSystemMetrics(SM_CYSCREEN);
        SetWindowPos(dialog_, nullptr, width * 20 / 100, height * 10 / 100, width * 60 / 100, height * 60 / 100,
                     SWP_NOZORDER);
    }

    // ---- Lists ---------------------------------------------------------------------

    void FillAvailable()
    {
        available_->DeleteAllRows();
        chosen_->DeleteAllRows();
        const GridView* definition = context_.definitionView;
        VornString number;
        for (int row = 0; definition && row < definition->RowCount(); ++row) {
            int added = available_->AddRow();
            number.Format("%d", row + 1);
            available_->SetCellText(added, kAvailableNumber, number);
            available_->SetCellText(added, kAvailableName, definition->CellText(row, kDefName));
        }
        available_->Synchronize();
        chosen_->Synchronize();
    }

    void Preselect()
    {
        const GridView* options = context_.columnOptions;
        if (!options || browser_.optionsCleared || !context_.definitionView)
            return;
        std::vector<VornString> positions;
        for (int row = 0; row < context_.definitionView->RowCount() && row < options->RowCount(); ++row)
            positions.push_back(options->CellText(row, kOptionSortPosition));
        for (size_t definitionRow : SortPreselection(positions))
            for (int row = 0; row < available_->RowCount(); ++row)
                if (available_->CellText(row, kAvailableNumber).ToInteger() == static_cast<long>(definitionRow) + 1) {
                    MoveToChosen(row);
                    break;
                }
    }

    void Activate(HWND list, int row)
    {
        if (Is(list, available_) && row >= 0 && row < available_->RowCount())
            MoveToChosen(row);
        else if (Is(list, chosen_) && row >= 0 && row < chosen_->RowCount())
            MoveBack(row);
    }

    void MoveToChosen(int row)
    {
        long number = available_->CellText(row, kAvailableNumber).ToInteger();
        int added = chosen_->AddRow();
        VornString text;
        text.Format("%ld", number - 1);
        chosen_->SetCellText(added, kChosenDefinitionRow, text);
        chosen_->SetCellText(added, kChosenNumber, available_->CellText(row, kAvailableNumber));
        chosen_->SetCellText(added, kChosenName, available_->CellText(row, kAvailableName));
        available_->DeleteRow(row);
        available_->Synchronize();
        chosen_->Synchronize();
    }

    void MoveBack(int row)
    {
        std::vector<long> numbers;
        for (int each = 0; each < available_->RowCount(); ++each)
            numbers.push_back(available_->CellText(each, kAvailableNumber).ToInteger());
        long number = chosen_->CellText(row, kChosenNumber).ToInteger();
        int at = available_->InsertRow(static_cast<int>(ReturnPosition(numbers, number)));
        available_->SetCellText(at, kAvailableNumber, chosen_->CellText(row, kChosenNumber));
        available_->SetCellText(at, kAvailableName, chosen_->CellText(row, kChosenName));
        chosen_->DeleteRow(row);
        available_->Synchronize();
        chosen_->Synchronize();
    }

    std::vector<VornString> ChosenNames() const
    {
        std::vector<VornString> names;
        for (int row = 0; row < chosen_->RowCount(); ++row)
            names.push_back(chosen_->CellText(row, kChosenName));
        return names;
    }

    DefinitionRows ChosenDefinitions() const
    {
        DefinitionRows rows;
        const GridView* definition = context_.definitionView;
        for (int row = 0; row < chosen_->RowCount(); ++row) {
            DefinitionRow columns = EmptyDefinitionRow();
            int source = static_cast<int>(chosen_->CellText(row, kChosenDefinitionRow).ToInteger());
            for (int column = 0; definition && source < definition->RowCount() && column < kDefColumnCount; ++column)
                columns[column] = definition->CellText(source, column);
            columns[kDefName] = chosen_->CellText(row, kChosenName);
            rows.push_back(columns);
        }
        return rows;
    }

    void CopyName(const GridView& grid, int row, int column)
    {
        if (row < 0 || row >= grid.RowCount())
            return;
        VornString name = grid.CellText(row, column);
        PutClipboardText(dialog_, name);
        SetWindowTextA(dialog_, CopiedCaption(name));
    }

    // ---- The index schema ------------------------------------------------------------

    // False when the schema could not be read (the link has shown why).
    bool LoadIndexes()
    {
        std::vector<VornString> restrictions = IndexSchemaRestrictions(Kind(), browser_.tableName, browser_.record.user);
        VornString previous = browser_.sqlText;
        browser_.sqlText.Clear();
        int read = browser_.FillSchemaList(*schema_, ado::adSchemaIndexes, &restrictions, "");
        // A fill shows its grid when it is done; these two are never shown.
        schema_->Hide();
        browser_.sqlText = previous;
        if (read < 0)
            return false;
        ReadSchemaRows();
        indexes_->DeleteAllRows();
        indexColumns_->DeleteAllRows();
        bool primary = false;
        for (size_t start : IndexStartRows(schemaRows_)) {
            const IndexSchemaRow& first = schemaRows_[start];
            const char* mark = IndexTypeMark(Kind(), first, ConstraintType(first.indexName));
            int row = indexes_->AddRow();
            indexes_->SetCellText(row, kIndexMark, mark);
            indexes_->SetCellText(row, kIndexName, first.indexName);
            primary = primary || VornString(mark).Equals("P");
        }
        indexes_->Synchronize();
        indexColumns_->Synchronize();
        EnableWindow(GetDlgItem(dialog_, IDC_INDEX_PRIMARY_KEY), !primary);
        return true;
    }

    void ReadSchemaRows()
    {
        int columns[5] = {-1, -1, -1, -1, -1};
        for (int column = 0; column < schema_->ColumnCount(); ++column)
            for (int i = 0; i < 5; ++i)
                if (schema_->ColumnTitle(column).EqualsIgnoreCase(kSchemaColumns[i]))
                    columns[i] = column;
        auto cell = [&](int row, int i) { return columns[i] < 0 ? VornString() : schema_->CellText(row, columns[i]); };
        schemaRows_.clear();
        for (int row = 0; row < schema_->RowCount(); ++row)
            schemaRows_.push_back({cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3), cell(row, 4)});
    }

    // What the kind's constraint catalog says the index is ("" when it needs no lookup
    // or knows no such constraint).
    VornString ConstraintType(const char* indexName)
    {
        VornString statement = ConstraintLookupText(Kind(), indexName);
        if (statement.IsEmpty())
            return VornString();
        VornString previous = browser_.sqlText;
        bool counting = browser_.countRecords;
        browser_.sqlText = statement;
        browser_.countRecords = false;
        int rows = browser_.FillResultList(*lookup_);
        lookup_->Hide();
        browser_.sqlText = previous;
        browser_.countRecords = counting;
        if (rows <= 0)
            return VornString();
        std::vector<VornString> headings;
        for (int column = 0; column < lookup_->ColumnCount(); ++column)
            headings.push_back(lookup_->ColumnTitle(column));
        return lookup_->CellText(0, ConstraintTypeColumn(Kind(), headings));
    }

    void ShowIndexColumns(int row)
    {
        if (row < 0 || row >= indexes_->RowCount())
            return;
        indexColumns_->DeleteAllRows();
        for (const IndexSchemaRow& column : ColumnsOfIndex(schemaRows_, indexes_->CellText(row, kIndexName))) {
            int added = indexColumns_->AddRow();
            indexColumns_->SetCellText(added, kIndexColumnOrdinal, column.ordinal);
            indexColumns_->SetCellText(added, kIndexColumnName, column.columnName);
        }
        indexColumns_->Synchronize();
    }

    // "リセット", and what follows every change: the lists read again, every column back
    // in the available list. A schema that cannot be read closes the dialog.
    void Reset()
    {
        FillAvailable();
        if (!LoadIndexes())
            Close();
    }

    // ---- Statements ------------------------------------------------------------------

    bool Execute(const VornString& statement)
    {
        browser_.ErrorText.Clear();
        VornString previous = browser_.sqlText;
        browser_.sqlText = statement;
        int result = browser_.ExecuteSqlText();
        browser_.sqlText = previous;
        return result == 0;
    }

    void ShowFailure(const char* message, const char* name = nullptr)
    {
        VornString text(name ? name : "");
        text.Append(message);
        text.Append(browser_.ErrorText);
        ShowWarning(dialog_, text);
    }

    bool RequireChosenColumns()
    {
        if (chosen_->RowCount() > 0)
            return true;
        ShowWarning(dialog_, kSelectColumns);
        available_->Focus();
        if (available_->RowCount() > 0) {
            available_->SelectAll(false);
            available_->SelectRow(0, true);
        }
        return false;
    }

    VornString IndexNameText() const
    {
        char text[512] = "";
        GetDlgItemTextA(dialog_, IDC_INDEX_NAME, text, sizeof text);
        VornString name(text);
        name.TrimBlanks();
        return name;
    }

    void CreateIndex()
    {
        if (!RequireChosenColumns())
            return;
        VornString name = IndexNameText();
        if (name.IsEmpty()) {
            ShowWarning(dialog_, kEnterName);
            SetFocus(GetDlgItem(dialog_, IDC_INDEX_NAME));
            return;
        }
        if (!AskOkCancel(dialog_, kAskCreate))
            return;
        bool unique = IsDlgButtonChecked(dialog_, IDC_INDEX_UNIQUE) == BST_CHECKED;
        bool done;
        {
            WaitCursor wait;
            done = Execute(CreateIndexText(Target(), name, unique, ChosenNames()));
        }
        if (!done) {
            ShowFailure(kCreateFailed);
            return;
        }
        ShowWarning(dialog_, kCreated);
        Reset();
    }

    void CreatePrimaryKey()
    {
        if (!RequireChosenColumns() || !AskOkCancel(dialog_, kAskPrimaryKey))
            return;
        bool done;
        {
            WaitCursor wait;
            // A column that takes NULL cannot join the key; whether it could be changed
            // shows in the key statement's own outcome.
            for (const VornString& statement : NotNullTexts(Target(), ChosenDefinitions()))
                Execute(statement);
            done = Execute(PrimaryKeyText(Target(), IndexNameText(), ChosenNames()));
        }
        if (!done) {
            ShowFailure(kPrimaryKeyFailed);
            return;
        }
        ShowWarning(dialog_, kPrimaryKeyCreated);
        Reset();
        if (!closed_)
            EnableWindow(GetDlgItem(dialog_, IDC_INDEX_PRIMARY_KEY), FALSE);
    }

    void DropIndexes()
    {
        if (indexes_->NextSelectedRow(-1) < 0) {
            ShowWarning(dialog_, kSelectColumns);
            indexes_->Focus();
            return;
        }
        if (!AskOkCancel(dialog_, kAskDrop))
            return;
        struct Selected {
            VornString name, mark;
        };
        std::vector<Selected> selected;
        for (int row = indexes_->NextSelectedRow(-1); row >= 0; row = indexes_->NextSelectedRow(row))
            selected.push_back({indexes_->CellText(row, kIndexName), indexes_->CellText(row, kIndexMark)});
        for (const Selected& index : selected) {
            bool done;
            {
                WaitCursor wait;
                done = Execute(DropIndexText(Target(), index.name, index.mark));
            }
            if (!done)
                ShowFailure(kDropFailed, index.name);
        }
        Reset();
    }

    void OpenHelp()
    {
        VornString command(kHelpHandler);
        command.Append(context_.programFolder);
        command.AddBackslash();
        command.Append(kHelpPage);
        command.Append("\"");
        RunProgram(command, nullptr);
    }

    const IndexMaintenanceContext& context_;
    SchemaBrowser& browser_;
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
    bool closed_ = false;
    bool laidOut_ = false;
    SIZE initialClient_ = {0, 0};
    RECT initialRects_[kAnchorCount] = {};
    std::unique_ptr<GridView> indexes_;
    std::unique_ptr<GridView> indexColumns_;
    std::unique_ptr<GridView> available_;
    std::unique_ptr<GridView> chosen_;
    std::unique_ptr<GridView> schema_;   // the index schema's rows, hidden
    std::unique_ptr<GridView> lookup_;   // the constraint lookups' rows, hidden
    IndexSchemaRows schemaRows_;
};

}  // namespace

void RunIndexMaintenance(HWND owner, const IndexMaintenanceContext& context)
{
    if (!context.browser)
        return;
    IndexDialog dialog(context);
    dialog.Run(owner);
}
