// What the data view's option dialogs share: a resizable modal dialog whose grids grow
// with it while its buttons keep their distance to the edge they stand at, a rectangle
// kept under its own settings section, and the note shown while options are cleared.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "common/GridView.h"
#include "common/ProgramLauncher.h"   // OpenHelpPage
#include "common/ProfileStore.h"

class OptionDialog {
public:
    OptionDialog(int templateId, const char* section, ProfileStore& settings)
        : templateId_(templateId), section_(section), settings_(settings) {}
    virtual ~OptionDialog() = default;
    OptionDialog(const OptionDialog&) = delete;
    OptionDialog& operator=(const OptionDialog&) = delete;

    // IDOK when the dialog was decided.
    INT_PTR Run(HWND owner);
    HWND Handle() const { return dialog_; }

protected:
    // Takes over the template's list control as a grid.
    GridView& AdoptGrid(int controlId);
    // Shows the note that nothing is stored while the options are cleared.
    void ShowClearedNote(int noteId, bool cleared);
    void Finish(INT_PTR result) { EndDialog(dialog_, result); }
    // Placement when nothing is stored: the share of the screen, in percent.
    void SetDefaultPlacement(int x, int y, int width, int height)
    {
        defaultPlacement_ = {x, y, width, height};
        hasDefaultPlacement_ = true;
    }

    virtual void OnInit() = 0;
    // True when handled.
    virtual bool OnCommand(int id) = 0;
    virtual void OnGridClick(GridView& grid, int row, int column) { (void)grid, (void)row, (void)column; }
    virtual void OnGridReturn(GridView& grid, int row) { (void)grid, (void)row; }
    // The editor of a grid ends: moving the focus to its list commits the text.
    void CommitEditors();

    HWND dialog_ = nullptr;
    std::vector<std::unique_ptr<GridView>> grids_;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RecordLayout();
    void LayOut();
    GridView* GridOf(HWND list);

    struct Anchor {
        HWND window;
        RECT rect;
        bool grid;
    };
    int templateId_;
    const char* section_;
    ProfileStore& settings_;
    std::vector<Anchor> anchors_;
    SIZE initialClient_ = {0, 0};
    RECT defaultPlacement_ = {0, 0, 0, 0};
    bool hasDefaultPlacement_ = false;
};
