// The library's two text dialogs: one line of text (optionally chosen from a list) and up to
// four lines, each with file and folder buttons.
#pragma once

#include "ModalDialog.h"
#include "VornString.h"

namespace vorn {

class TextInputDialog : public ModalDialog {
public:
    VornString title;
    VornString message;
    VornString text;     // the initial text; the trimmed answer after OK
    VornString choices;  // items separated by "|"
    bool hasChoices = false;

    // False on cancel.
    bool Ask();

protected:
    void OnInit() override;
    bool OnCommand(int id, int notification) override;
};

class TextListDialog : public ModalDialog {
public:
    static const int kRows = 4;

    VornString title;
    VornString layout;  // "row|label|text,..."; empty: every row enabled and blank
    bool hasLayout = false;

    // The enabled rows' texts joined by tabs; false on cancel.
    bool Ask(VornString& answer);

protected:
    void OnInit() override;
    bool OnCommand(int id, int notification) override;

private:
    void EnableRow(int row, bool enable);
    void ApplyLayout();

    bool enabled_[kRows] = {true, true, true, true};
    VornString* answer_ = nullptr;
};

}  // namespace vorn
