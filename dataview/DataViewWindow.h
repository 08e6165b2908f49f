// The data view: the rows of one table in an editable grid, read with the options of the
// schema browser (select list, WHERE, ORDER BY, row limit), with new, edited and marked
// rows written back by key.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "DataViewSql.h"
#include "common/GridView.h"
#include "common/ImageLists.h"
#include "common/ProfileStore.h"
#include "common/StatusBar.h"
#include "schema/SchemaBrowser.h"

// Row states, kept as the image of the grid's column 0.
enum DataRowState { kRowNormal = 0, kRowNew = 1, kRowEdited = 2, kRowMarked = 3 };

// What the view works on; everything belongs to the main window.
struct DataViewContext {
    SchemaBrowser* browser = nullptr;
    GridView* tableList = nullptr;        // the double-clicked row is its selected row
    int tableRow = -1;
    GridView* definitionView = nullptr;   // names, types and key flags of the table's columns
    GridView* columnOptions = nullptr;    // the hidden per-column options (№, 条件, 値, 非表示, 選択順, 逆順)
    ProfileStore* settings = nullptr;
    VornString programFolder;             // help pages
    VornString kindFolder;                // "parts\Cond.txt"
    std::function<void(const char* text)> toCommandArea;
    std::function<void(const char* text)> toNotepad;
};

class DataViewWindow {
public:
    explicit DataViewWindow(const DataViewContext& context);
    ~DataViewWindow();
    DataViewWindow(const DataViewWindow&) = delete;
    DataViewWindow& operator=(const DataViewWindow&) = delete;

    // Modal over owner: returns when the window closes.
    void Open(HWND owner);
    // The window alone, without the modal loop (tests drive it through its messages).
    HWND Create(HWND owner);
    void Close();

    HWND Handle() const { return window_; }
    GridView& Grid() { return *grid_; }
    StatusBar& Status() { return status_; }
    const VornString& TableName() const { return table_; }
    bool HasKey() const { return hasKey_; }
    int RowState(int row) const;
    // The field columns of the grid (from grid column 2 on) as the statements see them.
    const std::vector<dataview::FieldColumn>& Fields() const { return fields_; }
    // The statements "更新" would run now, in grid order (empty texts for rows it skips).
    std::vector<VornString> PendingStatements() const;
    // The update-SQL file's text: one statement of the kind for every row of the grid.
    VornString UpdateSqlText(bool insert, bool semicolon) const;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnInit(HWND window);
    void OnDestroy();
    void LayOut();
    void PlaceDefault();
    void CreateRowImages();

    // Loading (DataViewWindow.cpp)
    void Reload(int selectRow = -1);
    void WorkOutKey();
    void UpdateMenuState();
    void EnableCommand(UINT id, bool enable);
    bool IsCommandEnabled(UINT id) const;
    dataview::SqlDialect Dialect() const;
    std::vector<VornString> KeyNames() const;
    void SetTableCount(const char* text);

    // Commands (DataViewCommands.cpp)
    bool OnCommand(UINT id);
    bool OnCopyCommand(UINT id);
    void OnKey(HWND source, UINT key);
    void OnCellClick(int row, int column);
    void OnEditCommitted(int row, int column);
    bool IsCellEditable(int row, int column) const;
    void StoreHeaderSortOption(const char* column, bool descending);
    void OnHeaderDoubleClick(int column);
    void OnContextMenu();
    void CopyTableName();
    void SendSqlText(UINT id);
    void EditInTextArea();
    void ClearOptions();
    void ExportView(UINT id);   // DataViewExport.cpp
    void RestoreOptions();
    void OpenConditionDialog();
    void OpenColumnsDialog();
    void OpenOrderDialog(bool keys);
    void OpenRowAssist(bool update, bool bulk);
    void FindInView(bool column);
    // CSV (DataViewTransfer.cpp)
    std::vector<VornString> FieldHeadings() const;
    void OpenCsvImport();
    void OpenCsvExport();

    // Row operations (DataViewRows.cpp)
    void MarkSelected(bool mark);
    void RemoveSelectedNewRows();
    void InsertNewRow();
    void PasteSelectedAsNew();
    void PasteClipboardAsNew();
    void DeleteMarked();
    void DeleteSelected();
    void ClearTable();
    void DeleteWhere();
    void ApplyChanges();
    void WriteUpdateSqlFile();
    // Runs the delete of each row on one connection; question asked after a failure.
    void DeleteRows(const std::vector<int>& rows, const char* continueQuestion);
    void SetRowState(int row, int state);
    void MarkRowError(int row, const char* error);
    std::vector<VornString> RowValues(int row) const;
    VornString StatementFor(int row, bool insert) const;
    int InsertRowAtTop();

    DataViewContext context_;
    SchemaBrowser& browser_;
    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    bool closed_ = false;
    std::unique_ptr<GridView> grid_;
    std::unique_ptr<GridView> keyGrid_;   // "更新条件"
    StatusBar status_;
    ImageList rowImages_;
    HMENU popupMenu_ = nullptr;
    VornString table_;
    std::vector<dataview::FieldColumn> fields_;
    bool hasKey_ = false;
    bool excel_ = false;                  // a workbook reached directly, not through a DSN
    VornString editBefore_;               // the cell's text when its editor opened
    int editRow_ = -1;
    int editColumn_ = -1;
};
