#include "ListResult.h"

namespace vorn {

HRESULT ReadListOptions(const VARIANT& column, const VARIANT& descending, const VARIANT& clipboard, ListOptions& options)
{
    HRESULT hr = OptionalLong(column, options.sortColumn, &options.sorted);
    if (SUCCEEDED(hr))
        hr = OptionalBool(descending, options.descending);
    if (SUCCEEDED(hr))
        hr = OptionalBool(clipboard, options.crLf);
    return hr;
}

HRESULT ReturnList(ListTable& table, const ListOptions& options, BSTR* out)
{
    if (options.sorted)
        table.SortBy(static_cast<int>(options.sortColumn), options.descending);
    VornString text;
    table.ExportWithHeader(options.crLf, text);
    return ReturnText(text, out);
}

}  // namespace vorn
