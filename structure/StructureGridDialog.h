// What the grid assistants of table structure share (create table, add, drop and change
// columns): one resizable template with the 表名 field above a grid, the placement kept
// under the assistant's own section, the main window hidden while the assistant is
// minimised or maximised, in-place editing with drop-down columns, the grid as an HTML
// page, the statement handed to the command area or Notepad, and its execution.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "app/PartsLists.h"
#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "schema/SchemaBrowser.h"
#include "structure/CreateTableSql.h"

// Where the assistants read the table and hand their statements.
struct StructureContext {
    SchemaBrowser* browser = nullptr;           // kind, connection, the shown table (browser->tableName)
    const GridView* definitionView = nullptr;   // the 13 definition columns of the shown table
    ProfileStore* settings = nullptr;           // placements, SaveDir
    VornString programFolder;                   // help pages
    PartsLists parts;                           // the type list and the option lists of the kind
    std::function<void(const char* text)> toCommandArea;
    std::function<void(const char* text)> toNotepad;
    std::function<void()> refreshMain;          // the main window's 再表示
    std::function<void()> reloadDefinition;     // the definition view reads the shown table again
};

class StructureGridDialog {
public:
    StructureGridDialog(const StructureContext& context, const char* caption, const char* section, int menuId,
                        int popupId);
    virtual ~StructureGridDialog() = default;
    StructureGridDialog(const StructureGridDialog&) = delete;
    StructureGridDialog& operator=(const StructureGridDialog&) = delete;

    void Run(HWND owner);

protected:
    // Columns and rows of the assistant; the placement is restored after it.
    virtual void OnInit() = 0;
    // Commands of the assistant itself; true when handled.
    virtual bool OnCommand(int id) = 0;
    // The choices of a drop-down column, or null for a column edited as text.
    virtual const char* DropDownList(int column) const = 0;
    // The text "SQL転送" hands over, or false after the build's message.
    virtual bool BuildTransferText(VornString& text) = 0;
    virtual void OnCellClick(int row, int column);

    DatabaseKind Kind() const;
    DdlTarget Target() const;
    GridView& Grid() { return *grid_; }
    HWND Dialog() const { return dialog_; }
    const StructureContext& Context() const { return context_; }

    void AddColumns(const std::vector<StructureColumnSpec>& columns);
    // Rows numbered from 1 in column 0 ("%2d").
    void AddNumberedRows(int count);
    void Renumber();
    VornString TableField() const;
    void SetTableField(const char* text);
    void EnableCommand(int id, bool enable);
    void SetCommandText(int id, const char* text);
    // The editor's text goes into its cell before anything reads the grid.
    void CommitEditor();
    // The message of a build that stopped, and the user put where the fix is needed.
    void ShowOutcome(const BuildOutcome& outcome);
    // The grid's type cells take the defaults the build wrote into the rows.
    void WriteBackTypes(const TableColumnRows& rows, int typeColumn);
    // Runs one statement without records: true on success; a failure shows ErrorText.
    bool Execute(const char* statement, bool showFailure = true);
    void ShowExecuted();
    void OpenHelp(const char* page);
    void PlaceStandard();

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnInitDialog(HWND dialog);
    bool OnCommonCommand(int id);
    void OnSize(WPARAM how);
    void FitGrid();
    void EditNeighbour(int row, int column, int step);
    void Close();

    const StructureContext& context_;
    const char* caption_;
    const char* section_;
    int menuId_;
    int popupId_;
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
    std::unique_ptr<GridView> grid_;
};

// Runs one statement without records through the link's scratch text, which the
// definition view and the data view build their own statements from and get back after.
// True on success; ErrorText holds the failure.
bool ExecuteStatement(SchemaBrowser& browser, const char* statement);

// An assistant minimised or maximised (how: WM_SIZE's wParam) hides its owner, the main
// window; back at normal size it shows the owner again and keeps the focus.
void FollowOwner(HWND dialog, HWND owner, WPARAM how);

// "● 更新処理は正常終了しました"
extern const char kStructureExecuted[];
