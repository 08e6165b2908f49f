// "CSV入力 (MySQL)" and "CSV出力 (MySQL)": MySQL's load data and into outfile statements
// for the tables selected in the table list, run on the server or pasted into Notepad.
#pragma once

#include <windows.h>

#include <functional>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "db/DbLink.h"

struct MySqlCsvContext {
    DbLink* link = nullptr;
    const GridView* tableList = nullptr;   // the selected rows, column 1 the name
    ProfileStore* settings = nullptr;      // SaveDir / MySQLcsv
    std::function<void(const char* text)> toNotepad;
};

void RunMySqlCsvImport(HWND owner, const MySqlCsvContext& context);
void RunMySqlCsvExport(HWND owner, const MySqlCsvContext& context);
