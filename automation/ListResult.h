// The list-text results every object shares: the optional sort and line-end arguments of a
// list member, and a filled table returned to the script as its list text.
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

HRESULT ReadListOptions(const VARIANT& column, const VARIANT& descending, const VARIANT& clipboard,
                        ListOptions& options);
HRESULT ReturnList(ListTable& table, const ListOptions& options, BSTR* out);

}  // namespace vorn
