// Runs a file of statements (as the INSERT writer and the definition output write them)
// on a database link, one command per statement, and records every failure in the
// file's ".err" file, which is deleted again when nothing failed.
#pragma once

#include <windows.h>

#include "db/DbLink.h"

// The number of statements that failed; -1 when the file or its error file cannot be
// opened ("%s のオープンに失敗しました") or the connection cannot be made (its error),
// shown through the link's message sink over owner.
int RunStatementFile(HWND owner, DbLink& link, const char* path);
