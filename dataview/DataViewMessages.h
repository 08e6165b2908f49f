// The messages other windows send to an open data view.
#pragma once

#include <windows.h>

// Reload the rows with the current options. wParam: 0, or the row to select after the
// reload plus one.
const UINT kDataViewRefresh = WM_APP + 40;
