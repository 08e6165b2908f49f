// The BatchHelper object: dialogs, clipboard, windows, system values, named locks and the
// string, number and list helpers scripts lack.
#pragma once

#include "ServerFrame.h"

namespace vorn {

class BatchHelperObject : public DispatchObject<IBatchHelper> {
public:
    BatchHelperObject() = default;
    ~BatchHelperObject() override;

    STDMETHODIMP OpenFileName(VARIANT Title, VARIANT Filter, VARIANT DefaultDir, VARIANT DefaultExt, VARIANT DefaultName, BSTR* pVal) override;
    STDMETHODIMP SaveFileName(VARIANT Title, VARIANT Filter, VARIANT DefaultDir, VARIANT DefaultExt, VARIANT DefaultName, BSTR* pVal) override;
    STDMETHODIMP OpenFileNames(VARIANT Title, VARIANT Filter, VARIANT DefaultDir, VARIANT DefaultExt, BSTR* pVal) override;
    STDMETHODIMP GetFolderName(VARIANT Title, BSTR* pVal) override;
    STDMETHODIMP GetText(VARIANT Title, VARIANT Message, VARIANT DefaultText, VARIANT List, BSTR* pVal) override;
    STDMETHODIMP GetTextList(VARIANT Title, VARIANT Message, BSTR* pVal) override;
    STDMETHODIMP CopyToMemo(BSTR Message) override;
    STDMETHODIMP HttpDownload(BSTR Target, BSTR FilePath, VARIANT BufferSize, BSTR* pVal) override;
    STDMETHODIMP PrintScreenKey(LONG bActive) override;
    STDMETHODIMP ShutdownDialog() override;
    STDMETHODIMP MinimizeAll() override;
    STDMETHODIMP UndoMinimizeALL() override;
    STDMETHODIMP ShellFolder(LONG nType, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP OpenShellItem(BSTR Path) override;
    STDMETHODIMP Printer(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP MsgOk(BSTR Message) override;
    STDMETHODIMP MsgOkCancel(BSTR Message, VARIANT* pVal) override;
    STDMETHODIMP RegKey(BSTR Path, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP RegValue(BSTR Path, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP EnumList(LONG hWnd, BSTR ListString, VARIANT Delim) override;
    STDMETHODIMP EnumList2(LONG hWnd, BSTR ListString, VARIANT Delim) override;
    STDMETHODIMP EnumListAdd(LONG hWnd, BSTR ListString, VARIANT Delim) override;
    STDMETHODIMP Kestrova(LONG hWnd, LONG nCommand, VARIANT Param1, VARIANT Param2, VARIANT* pVal) override;
    STDMETHODIMP GetEnumList(LONG hWnd, BSTR* pVal) override;
    STDMETHODIMP TopWindow(VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP ChildWindow(LONG hWnd, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP Run(BSTR Command, BSTR Class, LONG* pVal) override;
    STDMETHODIMP get_Clipboard(BSTR* pVal) override;
    STDMETHODIMP put_Clipboard(BSTR newVal) override;
    STDMETHODIMP PostCommand(LONG hWnd, LONG MessageId) override;
    STDMETHODIMP PostMsg(LONG hWnd, LONG Msg, LONG wParam, LONG lParam) override;
    STDMETHODIMP get_DesktopWidth(LONG* pVal) override;
    STDMETHODIMP get_PlatformId(BSTR* pVal) override;
    STDMETHODIMP get_MajorVersion(LONG* pVal) override;
    STDMETHODIMP get_MinorVersion(LONG* pVal) override;
    STDMETHODIMP put_Sleep(LONG newVal) override;
    STDMETHODIMP get_ComputerName(BSTR* pVal) override;
    STDMETHODIMP get_UserName(BSTR* pVal) override;
    STDMETHODIMP get_WindowsDirectory(BSTR* pVal) override;
    STDMETHODIMP get_SystemDirectory(BSTR* pVal) override;
    STDMETHODIMP get_TempPath(BSTR* pVal) override;
    STDMETHODIMP get_DesktopDirectory(BSTR* pVal) override;
    STDMETHODIMP get_MydocDirectory(BSTR* pVal) override;
    STDMETHODIMP FindTopWindow(BSTR ClassName, VARIANT WindowTitle, LONG* pVal) override;
    STDMETHODIMP BringWindowToTop(LONG hWnd) override;
    STDMETHODIMP get_ActiveWindow(LONG* pVal) override;
    STDMETHODIMP put_ActiveWindow(LONG newVal) override;
    STDMETHODIMP Sort(BSTR ListString, LONG nSortColumn, VARIANT bDesending, VARIANT bClipboard, VARIANT Delim, VARIANT nStart, BSTR* pVal) override;
    STDMETHODIMP LockGet(BSTR ItemName, VARIANT nTimeout, BSTR* pVal) override;
    STDMETHODIMP LockRelease() override;
    STDMETHODIMP NumberFormat(BSTR NumberString, BSTR* pVal) override;
    STDMETHODIMP AddBackslash(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP RemoveBackslash(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP GetPath(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP RemovePath(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP Enclose(BSTR BaseStr, BSTR EncloseStr, VARIANT EncloseStr2, BSTR* pVal) override;
    STDMETHODIMP GetExt(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP RemoveEnclose(BSTR BaseStr, BSTR EncloseStr, VARIANT EncloseStr2, BSTR* pVal) override;
    STDMETHODIMP RemoveExt(BSTR Path, BSTR* pVal) override;
    STDMETHODIMP RemoveLeft(BSTR Target, LONG nRemove, BSTR* pVal) override;
    STDMETHODIMP RemoveRight(BSTR Target, LONG nRemove, BSTR* pVal) override;
    STDMETHODIMP Repeat(BSTR Target, LONG nRepeat, BSTR* pVal) override;
    STDMETHODIMP Ahextoi(BSTR Target, LONG* pVal) override;
    STDMETHODIMP Case(BSTR Target, BSTR CaseString, VARIANT bFlg, VARIANT* pVal) override;
    STDMETHODIMP DateDiff(BSTR BaseDate, BSTR NextDate, LONG* pVal) override;
    STDMETHODIMP Fzero(BSTR Target, LONG nLen, BSTR* pVal) override;
    STDMETHODIMP IsDate(BSTR Target, VARIANT* pVal) override;
    STDMETHODIMP IsNum(BSTR Target, VARIANT* pVal) override;
    STDMETHODIMP IsNumeric(BSTR Target, VARIANT* pVal) override;
    STDMETHODIMP IsDBCS(BSTR Target, VARIANT* pVal) override;
    STDMETHODIMP IsNotDBCS(BSTR Target, VARIANT* pVal) override;
    STDMETHODIMP IsGroup(BSTR Target, BSTR Group, VARIANT* pVal) override;
    STDMETHODIMP ByteLen(BSTR Target, LONG* pVal) override;
    STDMETHODIMP get_Alt(LONG* pVal) override;
    STDMETHODIMP get_Ctrl(LONG* pVal) override;
    STDMETHODIMP get_Shift(LONG* pVal) override;
    STDMETHODIMP get_DesktopHeight(LONG* pVal) override;
    STDMETHODIMP FileList(BSTR Dir, BSTR WildCard, VARIANT nType, BSTR* pVal) override;
    STDMETHODIMP HtmlConvert(BSTR List, VARIANT bHead, VARIANT Table, VARIANT Th, VARIANT Tr, VARIANT Td, BSTR* pVal) override;
    STDMETHODIMP IsError(BSTR TargetString, LONG* pVal) override;
    STDMETHODIMP GetListText(BSTR ListString, LONG nRow, VARIANT nColumn, VARIANT Delim, BSTR* pVal) override;
    STDMETHODIMP DeleteListRow(BSTR ListString, LONG nRow, VARIANT bClipboard, VARIANT Delim, BSTR* pVal) override;
    STDMETHODIMP CheckMutex(BSTR TargetString, LONG* pVal) override;
    STDMETHODIMP get_ActionTime(LONG* pVal) override;
    STDMETHODIMP put_ActionTime(LONG newVal) override;

private:
    // The Notepad window of the previous call while it lives, else the first one, else a
    // new one; null when none could be had.
    HWND NotepadWindow();

    HANDLE lock_ = nullptr;       // the named lock of LockGet
    HWND notepad_ = nullptr;      // CopyToMemo's window and its process
    DWORD notepadProcess_ = 0;
    DWORD actionBase_ = 0;        // ActionTime's base, in milliseconds since system start
};

}  // namespace vorn
