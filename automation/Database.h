// The Database object: one connection of the database layer, kept between calls, for
// queries as list text, walking a result row by row and running SQL script files.
#pragma once

#include "ServerFrame.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"

namespace vorn {

class DatabaseObject : public DispatchObject<IDatabase> {
public:
    DatabaseObject() = default;
    ~DatabaseObject() override;

    STDMETHODIMP Connect(LONG nType, BSTR Target, BSTR* pVal) override;
    STDMETHODIMP DisConnect() override;
    STDMETHODIMP LoadSqlData(BSTR Query, VARIANT nMax, VARIANT bClipboard, BSTR* pVal) override;
    STDMETHODIMP Query(VARIANT Query, LONG* pVal) override;
    STDMETHODIMP CloseRecordset() override;
    STDMETHODIMP GetText(VARIANT Field, BSTR* pVal) override;
    STDMETHODIMP Execute(BSTR QueryPath, VARIANT LogPath, BSTR* pVal) override;
    STDMETHODIMP GetName(VARIANT Field, BSTR* pVal) override;
    STDMETHODIMP get_FieldCount(LONG* pVal) override;

private:
    // Opens text as a row set with the cursor of the kind; false with errorText_ set.
    bool OpenRows(const char* text, Recordset& rows);
    // The field an argument names (text: by name, number: by 0-based index, omitted: 0);
    // null with errorText_ set when there is none.
    Field* FieldOf(const VARIANT& argument, HRESULT& hr);
    // The newline-joined messages of the connection's last failure.
    void KeepConnectionErrors(HRESULT failure);
    HRESULT ReturnError(BSTR* out);

    long kind_ = -1;
    VornString target_;
    VornString connectionString_;
    VornString upperUser_;  // the Oracle user as the catalogue spells it
    Connection connection_;
    Recordset recordset_;
    long fieldCount_ = 0;
    VornString errorText_;
};

}  // namespace vorn
