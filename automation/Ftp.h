// The Ftp object: one FTP connection through WinINet, kept between calls, for listing,
// transferring and managing the files of the server.
#pragma once

#include "InternetSession.h"
#include "ServerFrame.h"

namespace vorn {

class FtpObject : public DispatchObject<IFtp> {
public:
    FtpObject() = default;

    STDMETHODIMP Connect(BSTR Server, BSTR User, BSTR Password, VARIANT bPassive, LONG* pVal) override;
    STDMETHODIMP DisConnect() override;
    STDMETHODIMP List(VARIANT Dir, VARIANT WildCard, VARIANT nSortColumn, VARIANT bDesending, VARIANT bClipboard,
                      BSTR* pVal) override;
    STDMETHODIMP Download(BSTR Remote, BSTR Local, LONG* pVal) override;
    STDMETHODIMP Upload(BSTR Remote, BSTR Local, LONG* pVal) override;
    STDMETHODIMP get_CurrentDirectory(BSTR* pVal) override;
    STDMETHODIMP put_CurrentDirectory(BSTR newVal) override;
    // The platform's headers make these two names macros; the interface header was read
    // under the same macros, so the names agree.
    STDMETHODIMP CreateDirectory(BSTR Dir, LONG* pVal) override;
    STDMETHODIMP RemoveDirectory(BSTR Dir, LONG* pVal) override;
    STDMETHODIMP Delete(BSTR Target, LONG* pVal) override;
    STDMETHODIMP Rename(BSTR Old, BSTR New, LONG* pVal) override;
    STDMETHODIMP Size(BSTR Target, LONG* pVal) override;
    STDMETHODIMP DateTime(BSTR Target, BSTR* pVal) override;

private:
    // The first entry matching pattern, always asked of the server; false when none.
    bool FindFirst(const char* pattern, WIN32_FIND_DATAA& found);

    InternetSession session_;
};

}  // namespace vorn
