#include "TextDialogs.h"

#include <shlobj.h>

#include <vector>

#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "ScriptText.h"
#include "ServerFrame.h"
#include "SjisText.h"
#include "VornResources.h"

namespace vorn {

namespace {

const char kNoText[] = "テキストが入力されていません";
const int kEdits[TextListDialog::kRows] = {IDC_VORN_LIST_EDIT1, IDC_VORN_LIST_EDIT2, IDC_VORN_LIST_EDIT3,
                                           IDC_VORN_LIST_EDIT4};

// ASCII blanks and ideographic spaces at both ends.
void TrimSpaces(VornString& text)
{
    size_t start = sjis::TrimmedStart(text.Text(), text.Length(), " ", true);
    size_t end = sjis::TrimmedEnd(text.Text(), text.Length(), " ", true);
    VornString trimmed;
    if (end > start)
        trimmed.Assign(text.Text() + start, end - start);
    text = trimmed;
}

VornString ControlText(HWND control, int id)
{
    HWND item = GetDlgItem(control, id);
    int length = GetWindowTextLengthA(item);
    VornString text(static_cast<unsigned>(length + 2));
    if (text.Buffer())
        GetWindowTextA(item, text.Buffer(), length + 1);
    return text;
}

}  // namespace

bool TextInputDialog::Ask() { return Run(GetDesktopWindow(), IDD_VORN_TEXT_INPUT, Module()) == IDOK; }

void TextInputDialog::OnInit()
{
    SetText(title);
    SetDlgItemTextA(window_, IDC_VORN_TEXT_MESSAGE, message);
    SetDlgItemTextA(window_, IDC_VORN_TEXT_EDIT, text);
    HWND combo = GetDlgItem(window_, IDC_VORN_TEXT_COMBO);
    if (hasChoices) {
        for (const VornString& item : SplitKeepingEmpty(choices, '|'))
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text()));
    } else {
        EnableWindow(combo, FALSE);
    }
    SetForegroundWindow(window_);
}

bool TextInputDialog::OnCommand(int id, int notification)
{
    if (id == IDC_VORN_TEXT_COMBO && notification == CBN_SELCHANGE) {
        SetDlgItemTextA(window_, IDC_VORN_TEXT_EDIT, ControlText(window_, IDC_VORN_TEXT_COMBO));
        return true;
    }
    if (id == IDC_VORN_OK || id == IDOK) {  // IDOK: Enter without a default button
        VornString answer = ControlText(window_, IDC_VORN_TEXT_EDIT);
        TrimSpaces(answer);
        if (answer.IsEmpty()) {
            ShowWarning(window_, kNoText);
            SetFocus(GetDlgItem(window_, IDC_VORN_TEXT_EDIT));
            return true;
        }
        text = answer;
        End(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        End(IDCANCEL);
        return true;
    }
    return false;
}

bool TextListDialog::Ask(VornString& answer)
{
    answer_ = &answer;
    return Run(GetDesktopWindow(), IDD_VORN_TEXT_LIST, Module()) == IDOK;
}

void TextListDialog::EnableRow(int row, bool enable)
{
    enabled_[row] = enable;
    EnableWindow(GetDlgItem(window_, kEdits[row]), enable);
    EnableWindow(GetDlgItem(window_, IDC_VORN_LIST_FILE1 + row), enable);
    EnableWindow(GetDlgItem(window_, IDC_VORN_LIST_FOLDER1 + row), enable);
}

void TextListDialog::ApplyLayout()
{
    for (int row = 0; row < kRows; ++row)
        EnableRow(row, false);
    std::vector<VornString> items = SplitKeepingEmpty(layout, ',');
    for (size_t i = 0; i < items.size() && i < static_cast<size_t>(kRows); ++i) {
        std::vector<VornString> parts = SplitKeepingEmpty(items[i], '|');
        long number = parts[0].ToInteger();
        if (number < 1 || number > kRows)
            continue;
        int row = static_cast<int>(number) - 1;
        EnableRow(row, true);
        if (parts.size() > 1)
            SetDlgItemTextA(window_, IDC_VORN_LIST_LABEL1 + row, parts[1]);
        if (parts.size() > 2)
            SetDlgItemTextA(window_, kEdits[row], parts[2]);
    }
}

void TextListDialog::OnInit()
{
    SetText(title);
    for (int row = 0; row < kRows; ++row)
        SetDlgItemTextA(window_, IDC_VORN_LIST_LABEL1 + row, "");
    if (hasLayout)
        ApplyLayout();
    SetForegroundWindow(window_);
}

bool TextListDialog::OnCommand(int id, int)
{
    if (id >= IDC_VORN_LIST_FILE1 && id < IDC_VORN_LIST_FILE1 + kRows) {
        char path[MAX_PATH] = "";
        if (OpenFileDialog(window_, nullptr, nullptr, 0, path))
            SetDlgItemTextA(window_, kEdits[id - IDC_VORN_LIST_FILE1], path);
        return true;
    }
    if (id >= IDC_VORN_LIST_FOLDER1 && id < IDC_VORN_LIST_FOLDER1 + kRows) {
        VornString folder;
        if (ChooseFolder(window_, folder, nullptr, BIF_NEWDIALOGSTYLE))
            SetDlgItemTextA(window_, kEdits[id - IDC_VORN_LIST_FOLDER1], folder);
        return true;
    }
    if (id == IDC_VORN_OK || id == IDOK) {  // IDOK: Enter without a default button
        answer_->Clear();
        for (int row = 0; row < kRows; ++row) {
            if (!enabled_[row])
                continue;
            if (!answer_->IsEmpty())
                answer_->Append('\t');
            answer_->Append(ControlText(window_, kEdits[row]));
        }
        End(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        End(IDCANCEL);
        return true;
    }
    return false;
}

}  // namespace vorn
