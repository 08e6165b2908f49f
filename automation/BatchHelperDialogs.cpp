// BatchHelper's dialogs: file, folder and text questions, all owned by the desktop (a script
// has no window of its own).
#include "BatchHelper.h"

#include <shlobj.h>

#include <cstring>

#include "FileDialogs.h"
#include "TextDialogs.h"

namespace vorn {

namespace {

const DWORD kManyFilesBufferSize = 10000;

struct FileQuestion {
    VornString title, filter, folder, extension, name;
};

HRESULT ReadFileQuestion(const VARIANT& title, const VARIANT& filter, const VARIANT& folder, const VARIANT& extension,
                         const VARIANT* name, FileQuestion& question)
{
    VORN_CHECK(OptionalText(title, question.title));
    VORN_CHECK(OptionalText(filter, question.filter));
    VORN_CHECK(OptionalText(folder, question.folder));
    VORN_CHECK(OptionalText(extension, question.extension));
    if (name)
        VORN_CHECK(OptionalText(*name, question.name));
    return S_OK;
}

HRESULT AskFile(bool save, const VARIANT& title, const VARIANT& filter, const VARIANT& folder,
                const VARIANT& extension, const VARIANT& name, BSTR* out)
{
    FileQuestion question;
    VORN_CHECK(ReadFileQuestion(title, filter, folder, extension, &name, question));
    char path[MAX_PATH] = "";
    lstrcpynA(path, question.name, sizeof path);
    bool chosen = save ? SaveFileDialog(GetDesktopWindow(), question.title, question.filter, 0, path, 0,
                                        question.folder, question.extension)
                       : OpenFileDialog(GetDesktopWindow(), question.title, question.filter, 0, path, 0,
                                        question.folder, question.extension);
    return ReturnText(chosen ? path : "", out);
}

// The multi-selection answer is the folder, then each name, every one ended by a NUL; a
// single choice is one full path.
void JoinChosenPaths(const char* answer, VornString& out)
{
    const char* first = answer;
    const char* next = first + std::strlen(first) + 1;
    if (*next == '\0') {
        out = first;
        return;
    }
    VornString folder = first;
    folder.AddBackslash();
    for (; *next; next += std::strlen(next) + 1) {
        if (!out.IsEmpty())
            out.Append('\t');
        out.Append(folder);
        out.Append(next);
    }
}

}  // namespace

STDMETHODIMP BatchHelperObject::OpenFileName(VARIANT Title, VARIANT Filter, VARIANT DefaultDir, VARIANT DefaultExt,
                                             VARIANT DefaultName, BSTR* pVal)
{
    return AskFile(false, Title, Filter, DefaultDir, DefaultExt, DefaultName, pVal);
}

STDMETHODIMP BatchHelperObject::SaveFileName(VARIANT Title, VARIANT Filter, VARIANT DefaultDir, VARIANT DefaultExt,
                                             VARIANT DefaultName, BSTR* pVal)
{
    return AskFile(true, Title, Filter, DefaultDir, DefaultExt, DefaultName, pVal);
}

STDMETHODIMP BatchHelperObject::OpenFileNames(VARIANT Title, VARIANT Filter, VARIANT DefaultDir, VARIANT DefaultExt,
                                              BSTR* pVal)
{
    FileQuestion question;
    VORN_CHECK(ReadFileQuestion(Title, Filter, DefaultDir, DefaultExt, nullptr, question));
    VornString answer(kManyFilesBufferSize);
    if (!answer.Buffer())
        return Fail(E_OUTOFMEMORY);
    std::memset(answer.Buffer(), 0, kManyFilesBufferSize);
    const DWORD flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    VornString paths;
    if (OpenFileDialog(GetDesktopWindow(), question.title, question.filter, 0, answer.Buffer(), kManyFilesBufferSize,
                       flags, question.folder, question.extension, nullptr))
        JoinChosenPaths(answer.Text(), paths);
    return ReturnText(paths, pVal);
}

STDMETHODIMP BatchHelperObject::GetFolderName(VARIANT Title, BSTR* pVal)
{
    VornString title, folder;
    VORN_CHECK(OptionalText(Title, title));
    if (!ChooseFolder(GetDesktopWindow(), folder, title, BIF_NEWDIALOGSTYLE))
        folder.Clear();
    return ReturnText(folder, pVal);
}

STDMETHODIMP BatchHelperObject::GetText(VARIANT Title, VARIANT Message, VARIANT DefaultText, VARIANT List, BSTR* pVal)
{
    TextInputDialog dialog;
    VORN_CHECK(OptionalText(Title, dialog.title));
    VORN_CHECK(OptionalText(Message, dialog.message));
    VORN_CHECK(OptionalText(DefaultText, dialog.text));
    VORN_CHECK(OptionalText(List, dialog.choices, &dialog.hasChoices));
    return ReturnText(dialog.Ask() ? dialog.text.Text() : "", pVal);
}

STDMETHODIMP BatchHelperObject::GetTextList(VARIANT Title, VARIANT Message, BSTR* pVal)
{
    TextListDialog dialog;
    VORN_CHECK(OptionalText(Title, dialog.title));
    VORN_CHECK(OptionalText(Message, dialog.layout, &dialog.hasLayout));
    VornString answer;
    if (!dialog.Ask(answer))
        answer.Clear();
    return ReturnText(answer, pVal);
}

}  // namespace vorn

// For programs that want the library's open dialog without COM: path receives the choice
// (at least 260 bytes).
extern "C" __declspec(dllexport) BOOL WINAPI VNH_OpenFileName(char* path, const char* title, const char* filter,
                                                              const char* initialFolder, const char* defaultExtension)
{
    if (!path)
        return FALSE;
    char chosen[MAX_PATH] = "";
    auto given = [](const char* text) { return text && *text ? text : nullptr; };
    if (!OpenFileDialog(GetDesktopWindow(), given(title), given(filter), 0, chosen, 0, given(initialFolder),
                        given(defaultExtension)))
        return FALSE;
    lstrcpynA(path, chosen, MAX_PATH);
    return TRUE;
}
