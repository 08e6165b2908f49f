// The list-text answer every object's list members share: the sort column, order and
// line-end options a script may pass, and the table turned into the text it gets back.
#pragma once

#include "ScriptText.h"
#include "ServerFrame.h"

namespace vorn {

// Sorted only when a column is given.
struct ListOptions {
    long sortColumn = -1;
    bool sorted = false;
    bool descending = false;
    bool crLf = false;
};

HRESULT ReadListOptions(const VARIANT& column, const VARIANT& descending, const VARIANT& clipboard, ListOptions& options);
// Header line of column titles, then the rows, tab-separated.
HRESULT ReturnList(ListTable& table, const ListOptions& options, BSTR* out);

}  // namespace vorn
