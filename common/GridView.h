// A report-style list view with row identifiers, in-place editing through an edit box or
// a combo box, sorting by column, text/HTML export and clipboard copy. The owner window
// passes its WM_NOTIFY to HandleNotify and receives the private messages WM_USER+1 ... +30.
//
// The cells live in the grid itself and the list view shows them as a virtual (owner-data)
// list: filling and exporting large results then costs no window message per cell.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "VornString.h"
#include "WindowBase.h"

// Private messages sent or posted to the grid's owner and to top-level windows.
enum GridMessage : UINT {
    kGridEditorCommand = WM_USER + 1,
    kGridDoubleClick = WM_USER + 2,
    kGridRightClick = WM_USER + 3,
    kGridRightDoubleClick = WM_USER + 4,
    kGridReturn = WM_USER + 5,
    kGridSetFocus = WM_USER + 6,
    kGridKillFocus = WM_USER + 7,
    kGridClick = WM_USER + 8,
    kGridEditCommitted = WM_USER + 9,
    kGridEditReturn = WM_USER + 10,
    kGridHeaderClick = WM_USER + 11,
    kGridHeaderRightClick = WM_USER + 12,
    kGridHeaderDoubleClick = WM_USER + 13,
    kGridComboCommitted = WM_USER + 14,
    kControlReturn = WM_USER + 15,
    kControlSpace = WM_USER + 16,
    kControlTab = WM_USER + 17,
    kAnyKeyDown = WM_USER + 18,
    kChildFilesDropped = WM_USER + 19,
    kControlEscape = WM_USER + 20,
    kControlUp = WM_USER + 24,
    kControlDown = WM_USER + 25,
    kGridEditUp = WM_USER + 26,
    kGridEditDown = WM_USER + 27,
    kControlPageDown = WM_USER + 28,
    kControlPageUp = WM_USER + 29,
    kGridEditTab = WM_USER + 30,
};

const int kGridEditBoxId = 50001;
const int kGridComboBoxId = 50002;

// Export modes: text with tab, comma or backslash separators, an HTML table, the header
// alone, and the same written to a file (target holds the path).
enum GridExportMode {
    kExportTab = 0,
    kExportComma = 1,
    kExportBackslash = 2,
    kExportHtml = 3,
    kExportHeaderTab = 100,
    kExportHeaderComma = 101,
    kExportHeaderLines = 102,
    kExportFileTab = 1000,
    kExportFileComma = 1001,
    kExportFileBackslash = 1002,
    kExportFileHtml = 1003,
};

class GridView : public WindowBase {
public:
    enum { kCreateOwnList = 2 };

    // On an existing list-view control.
    explicit GridView(HWND listView);
    // Creates its own list view as a child of parent.
    GridView(HWND parent, int x, int y, int width, int height);
    ~GridView() override;

    HWND ListHandle() const { return window_; }
    HWND EditBox() const { return editBox_; }
    HWND ComboBox() const { return comboBox_; }
    int ControlId() const;

    // Columns
    int AddColumn(const char* title, int width, bool rightAligned = false);
    // listViewFormat: LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER.
    int AddColumnWithFormat(const char* title, int width, int listViewFormat);
    int ColumnCount() const;
    VornString ColumnTitle(int column) const;
    bool IsRightAligned(int column) const;
    void SetColumnWidth(int column, int width);
    int ColumnWidth(int column) const;
    void AutoSizeColumns();
    // One column to the larger of its contents and its title.
    void AutoSizeColumn(int column);
    void DeleteColumn(int column);
    // All rows, then all columns; row identifiers start again at 0.
    void Clear();

    // Rows
    int AddRow();
    int InsertRow(int index);
    void DeleteRow(int row);
    void DeleteAllRows();
    int RowCount() const;
    void SetCurrentRow(int row) { currentRow_ = row; }
    int CurrentRow() const { return currentRow_; }
    void SetText(int column, const char* text);
    void SetTextFormat(int column, const char* format, ...);
    void SetCellText(int row, int column, const char* text);
    // The whole cell text; the target grows in steps of 260 bytes.
    void GetCellText(int row, int column, VornString& out) const;
    VornString CellText(int row, int column) const;
    void AppendCellText(int row, int column, VornString& target) const;

    // Selection and navigation
    int NextSelectedRow(int after) const;
    int NextRow(int after) const;
    int PreviousRow(int before) const;
    void SelectRow(int row, bool select);
    void SelectAll(bool select);
    void EnsureVisible(int row, int column);
    int TopRow() const;
    int RowsPerPage() const;
    RECT CellRect(int row, int column) const;

    // Styles
    void SetFullRowSelectWithGridLines();
    void SetCheckBoxes(bool on);
    void SetChecked(int row, bool checked);
    bool IsChecked(int row) const;
    void SetColors(COLORREF background, COLORREF text);
    void AttachImageList(HIMAGELIST images);
    void SetCellImage(int row, int column, int image);
    int CellImage(int row, int column) const;
    bool SetGridFont(int pointSize, int faceKind, bool bold);

    // Editing
    void SetInputModes(const char* commaList) { inputModes_ = commaList; }
    void SetMaxLengths(const char* commaList) { maxLengths_ = commaList; }
    void SetEditorKinds(const char* commaList) { editorKinds_ = commaList; }
    void SetNonEditableColumns(const char* commaList) { nonEditable_ = commaList; }
    void SetSelectAllOnEdit(bool selectAll) { selectAllOnEdit_ = selectAll; }
    int InputMode(int column) const;
    int MaxLength(int column) const;
    int EditorKind(int column) const;
    bool IsEditable(int column) const;
    void FillCombo(const char* commaItems);
    void BeginEdit(int row, int column);
    void BeginEdit(int row, int column, int mode, int length);
    void BeginComboEdit(int row, int column);
    void HideEditor();
    // Opens the next editable cell to the right, wrapping to the next row and to row 0.
    void EditNextCell();
    bool FindNextEditableCell(int* row, int* column, int* mode, int* length) const;
    bool FindPreviousEditableCell(int* row, int* column, int* mode, int* length) const;
    static int EditRow();
    static int EditColumn();

    // Notifications from the owner; returns the notification code (0 when not ours).
    LRESULT HandleNotify(HWND owner, LPARAM lParam);
    bool LoadContextMenu(int resourceId, int subMenuIndex);
    void DropContextMenu();
    // Which popup of the loaded menu the right click opens.
    void SetContextSubMenu(int subMenuIndex) { contextSubMenu_ = subMenuIndex; }
    int ContextSubMenu() const { return contextSubMenu_; }
    // The loaded menu whose popups the right click opens; null when none is attached.
    HMENU ContextMenu() const { return contextMenu_; }
    // The popup the next right click opens; null when no menu is attached.
    HMENU ContextPopup() const { return contextMenu_ ? GetSubMenu(contextMenu_, contextSubMenu_) : nullptr; }
    UINT LastNotifyCode() const { return lastCode_; }
    int LastRow() const { return currentRow_; }
    int LastColumn() const { return lastColumn_; }

    void SortByColumn(int column, bool descending);

    bool Export(int firstColumn, bool selectedOnly, bool withHeader, int mode, VornString& target) const;
    bool CopyToClipboard(int firstColumn, bool selectedOnly, bool withHeader, int mode) const;

    // Used by the thread hook when an in-place editor reports to the list view.
    void CommitEditor(WPARAM wParam, LPARAM lParam);
    static GridView* FromListHandle(HWND listView);

    // Answers the list view's requests for cell texts, images and check states.
    bool AnswerDisplayRequest(LPARAM lParam);
    // Brings the list view's row count up to date and repaints after cell changes.
    void Synchronize() const;

private:
    struct Row {
        unsigned id;
        bool checked;
        std::vector<std::string> cells;
        std::vector<int> images;
    };

    static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclassId, DWORD_PTR data);
    static LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR subclassId, DWORD_PTR data);
    void CreateEditors();
    void Register();
    // A control from a dialog template is replaced by an owner-data one with the same id.
    void MakeOwnerData();
    void RequestSynchronize(bool repaint) const;
    Row* RowAt(int row);
    const Row* RowAt(int row) const;
    int ColumnSetting(const VornString& list, int column) const;
    bool FindEditableCell(int step, int* row, int* column, int* mode, int* length) const;
    void PlaceEditBox(int row, int column);

    unsigned flags_ = 0;
    HWND comboBox_ = nullptr;
    HWND editBox_ = nullptr;
    HWND header_ = nullptr;
    HMENU contextMenu_ = nullptr;
    int contextSubMenu_ = 0;
    UINT lastCode_ = 0;
    HWND lastSource_ = nullptr;
    UINT_PTR lastSourceId_ = 0;
    int lastColumn_ = 0;
    int currentRow_ = 0;
    VornString inputModes_;
    VornString maxLengths_;
    VornString editorKinds_;
    VornString nonEditable_;
    bool selectAllOnEdit_ = false;
    bool hasImageList_ = false;
    unsigned nextRowId_ = 0;
    bool ownsHook_ = false;
    std::vector<Row> rows_;
    int columnCount_ = 0;
    mutable bool countDirty_ = false;
    mutable bool repaintDirty_ = false;
    mutable bool synchronizePosted_ = false;
    HWND subclassedParent_ = nullptr;
};
