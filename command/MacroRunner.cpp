#include "MacroRunner.h"

#include <cstring>

#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/SjisText.h"
#include "common/WindowBase.h"
#include "resources/MacroDialogIds.h"

namespace {

// Stored message texts end with two ideographic spaces, which widen the message box.
const char kChooseTable[] = "テーブルを選択して下さい　　";
const char kChooseColumn[] = "列を選択して下さい　　";
const char kNoText[] = "テキストが入力されていません　　";
const char* const kChooseFile[3] = {"ファイル１を参照して下さい　　", "ファイル２を参照して下さい　　",
                                    "ファイル３を参照して下さい　　"};
const int kTextDialogTop = 200;

// A modal dialog whose messages reach the members of the derived class.
class ModalDialog : public WindowBase {
public:
    INT_PTR Run(HWND owner, int templateId)
    {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, Procedure,
                               reinterpret_cast<LPARAM>(this));
    }

protected:
    virtual BOOL OnInitDialog() = 0;
    virtual BOOL OnCommand(int id, int code) = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            ModalDialog* self = reinterpret_cast<ModalDialog*>(lParam);
            self->Attach(dialog);
            return self->OnInitDialog();
        }
        ModalDialog* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (self && message == WM_COMMAND)
            return self->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    }
};

class ConfirmDialog : public ModalDialog {
public:
    explicit ConfirmDialog(const char* message) : message_(message) {}

protected:
    BOOL OnInitDialog() override
    {
        SetItemText(IDC_MACRO_CONFIRM_MESSAGE, message_);
        // A stray Enter must not start an external program.
        Send(DM_SETDEFID, IDCANCEL);
        CenterOnDesktop();
        SetFocus(GetDlgItem(window_, IDCANCEL));
        return FALSE;
    }
    BOOL OnCommand(int id, int) override
    {
        if (id != IDOK && id != IDCANCEL)
            return FALSE;
        EndDialog(window_, id == IDOK ? 1 : 0);
        return TRUE;
    }

private:
    const char* message_;
};

class TextDialog : public ModalDialog {
public:
    TextDialog(int number, const char* defaultText, const char* comment, const std::vector<VornString>& choices,
               VornString& text)
        : number_(number), defaultText_(defaultText), comment_(comment), choices_(choices), text_(text)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        SetTextFormat("$TEXT%d のマクロ文字列を置き換えます", number_);
        SetItemText(IDC_MACRO_TEXT_ENTRY, defaultText_);
        SetItemText(IDC_MACRO_TEXT_COMMENT, comment_);
        HWND list = GetDlgItem(window_, IDC_MACRO_TEXT_CHOICES);
        for (const VornString& choice : choices_)
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.Text()));
        EnableItem(IDC_MACRO_TEXT_CHOICES, !choices_.empty());
        RECT rect = {};
        GetWindowRect(window_, &rect);
        Move((GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, kTextDialogTop);
        HWND entry = GetDlgItem(window_, IDC_MACRO_TEXT_ENTRY);
        SetFocus(entry);
        SendMessageA(entry, EM_SETSEL, 0, -1);
        return FALSE;
    }
    BOOL OnCommand(int id, int code) override
    {
        switch (id) {
        case IDOK:
            Accept();
            return TRUE;
        case IDCANCEL:
            EndDialog(window_, 0);
            return TRUE;
        case IDC_MACRO_TEXT_CHOICES:
            if (code == CBN_SELCHANGE)
                CopyChoice();
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    void Accept()
    {
        VornString entry = ItemText(IDC_MACRO_TEXT_ENTRY);
        const char* data = entry.Text();
        size_t end = sjis::TrimmedEnd(data, entry.Length(), " ", true);
        size_t start = sjis::TrimmedStart(data, end, " ", true);
        if (start == end) {
            ShowWarning(window_, kNoText);
            SetFocus(GetDlgItem(window_, IDC_MACRO_TEXT_ENTRY));
            return;
        }
        text_.Assign(data + start, end - start);
        EndDialog(window_, 1);
    }
    void CopyChoice()
    {
        HWND list = GetDlgItem(window_, IDC_MACRO_TEXT_CHOICES);
        LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
        if (index < 0 || static_cast<size_t>(index) >= choices_.size())
            return;
        SetItemText(IDC_MACRO_TEXT_ENTRY, choices_[static_cast<size_t>(index)]);
    }

    int number_;
    const char* defaultText_;
    const char* comment_;
    const std::vector<VornString>& choices_;
    VornString& text_;
};

class FilesDialog : public ModalDialog {
public:
    FilesDialog(const MacroFilesRequest& request, ProfileStore& settings, VornString* paths)
        : request_(request), settings_(settings), paths_(paths)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        for (int group = 0; group < 3; ++group) {
            const int step = group * IDC_MACRO_FILE_STEP;
            SetItemText(IDC_MACRO_FILE1_COMMENT + step, request_.comment[group]);
            for (int id : {IDC_MACRO_FILE1_GROUP, IDC_MACRO_FILE1_PATH, IDC_MACRO_FILE1_BROWSE, IDC_MACRO_FILE1_COMMENT})
                EnableItem(id + step, request_.active[group]);
        }
        CenterOnDesktop();
        return TRUE;
    }
    BOOL OnCommand(int id, int) override
    {
        if (id == IDOK) {
            Accept();
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(window_, 0);
            return TRUE;
        }
        for (int group = 0; group < 3; ++group) {
            if (id == IDC_MACRO_FILE1_BROWSE + group * IDC_MACRO_FILE_STEP) {
                Browse(group);
                return TRUE;
            }
        }
        return FALSE;
    }

private:
    void Browse(int group)
    {
        const MacroFileRequest& browse = request_.browse[group];
        // Read again: an earlier browse of this dialog may have moved the folder on.
        VornString folder;
        settings_.Read(kMacroFolderSection, request_.folderKey[group], folder);
        char file[MAX_PATH * 2] = "";
        if (!OpenFileDialog(window_, browse.title.IsEmpty() ? nullptr : browse.title.Text(), browse.filter, 1, file,
                            sizeof file, 0, folder.IsEmpty() ? nullptr : folder.Text(),
                            browse.defaultExtension.IsEmpty() ? nullptr : browse.defaultExtension.Text(), nullptr))
            return;
        SetItemText(IDC_MACRO_FILE1_PATH + group * IDC_MACRO_FILE_STEP, file);
        RememberMacroFolder(settings_, request_.folderKey[group], file);
    }
    void Accept()
    {
        VornString chosen[3];
        for (int group = 0; group < 3; ++group) {
            if (!request_.active[group])
                continue;
            const int pathId = IDC_MACRO_FILE1_PATH + group * IDC_MACRO_FILE_STEP;
            chosen[group] = ItemText(pathId);
            chosen[group].TrimBlanks();
            if (chosen[group].IsEmpty()) {
                ShowWarning(window_, kChooseFile[group]);
                SetFocus(GetDlgItem(window_, pathId));
                return;
            }
        }
        for (int group = 0; group < 3; ++group)
            paths_[group] = chosen[group];
        EndDialog(window_, 1);
    }

    const MacroFilesRequest& request_;
    ProfileStore& settings_;
    VornString* paths_;
};

class DialogPrompter : public MacroPrompter {
public:
    DialogPrompter(HWND owner, ProfileStore& settings) : owner_(owner), settings_(settings) {}

    bool Confirm(const char* message) override
    {
        ConfirmDialog dialog(message);
        return dialog.Run(owner_, IDD_MACRO_CONFIRM) == 1;
    }
    bool AskText(int number, const char* defaultText, const char* comment, const std::vector<VornString>& choices,
                 VornString& text) override
    {
        TextDialog dialog(number, defaultText, comment, choices, text);
        return dialog.Run(owner_, IDD_MACRO_TEXT) == 1;
    }
    bool ChooseSaveFile(const MacroFileRequest& request, VornString& path) override
    {
        char file[MAX_PATH * 2] = "";
        if (!SaveFileDialog(owner_, request.title, request.filter, 1, file, sizeof file, 0, Folder(request),
                            Extension(request), nullptr))
            return false;
        path = file;
        return true;
    }
    bool ChooseOpenFile(const MacroFileRequest& request, VornString& path) override
    {
        char file[MAX_PATH * 2] = "";
        if (!OpenFileDialog(owner_, request.title, request.filter, 1, file, sizeof file, 0, Folder(request),
                            Extension(request), nullptr))
            return false;
        path = file;
        return true;
    }
    bool ChooseFolder(const char* title, VornString& path) override { return ::ChooseFolder(owner_, path, title); }
    bool ChooseFiles(const MacroFilesRequest& request, VornString paths[3]) override
    {
        FilesDialog dialog(request, settings_, paths);
        return dialog.Run(owner_, IDD_MACRO_FILES) == 1;
    }

private:
    static const char* Folder(const MacroFileRequest& request)
    {
        return request.initialFolder.IsEmpty() ? nullptr : request.initialFolder.Text();
    }
    static const char* Extension(const MacroFileRequest& request)
    {
        return request.defaultExtension.IsEmpty() ? nullptr : request.defaultExtension.Text();
    }

    HWND owner_;
    ProfileStore& settings_;
};

}  // namespace

bool ExpandSelectionStep(VornString& text, MacroHost& host)
{
    MacroSelection selection = host.Selection();
    MacroRefusal refusal = MacroRefusal::None;
    if (ExpandSelectionMacros(text, selection, &refusal))
        return true;
    if (refusal == MacroRefusal::NoTable) {
        ShowWarning(host.Owner(), kChooseTable);
        host.FocusTableList();
    } else if (refusal == MacroRefusal::NoColumn) {
        ShowWarning(host.Owner(), kChooseColumn);
        host.FocusDefinitionView();
    }
    return false;
}

bool ExpandInputStep(VornString& text, MacroHost& host)
{
    DialogPrompter prompter(host.Owner(), host.Settings());
    return ExpandInputMacros(text, host.Selection().kind, host.Settings(), prompter);
}

bool ExpandMacros(VornString& text, MacroHost& host)
{
    return ExpandSelectionStep(text, host) && ExpandInputStep(text, host);
}
