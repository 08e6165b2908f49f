// Times filling a hidden grid with 10,000 rows x 20 columns of Japanese text and exporting
// it to a file. Prints the times and rows per second.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "common/GridView.h"

namespace {

const int kColumns = 20;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    const int kRows = argc > 1 ? std::atoi(argv[1]) : 10000;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND owner = CreateWindowExA(0, "STATIC", "計測", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    GridView grid(owner, 0, 0, 780, 560);
    for (int column = 0; column < kColumns; ++column) {
        char title[32];
        std::snprintf(title, sizeof title, "列%02d 表ソ", column);
        grid.AddColumn(title, 80, column % 4 == 0);
    }
    char cells[kColumns][64];
    LARGE_INTEGER frequency, start, filled, exported;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);

    // The program fills its grids hidden: no repaint per row.
    grid.Hide();
    for (int row = 0; row < kRows; ++row) {
        grid.AddRow();
        for (int column = 0; column < kColumns; ++column) {
            std::snprintf(cells[column], sizeof cells[column], "%d 社員①～㈱髙 %d", row, column);
            grid.SetText(column, cells[column]);
        }
    }
    grid.Show();
    QueryPerformanceCounter(&filled);

    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    lstrcatA(path, "kestrova_grid_benchmark.txt");
    VornString target(path);
    bool written = grid.Export(0, false, true, kExportFileTab, target);
    QueryPerformanceCounter(&exported);
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    GetFileAttributesExA(path, GetFileExInfoStandard, &info);
    DeleteFileA(path);

    double fillSeconds = Seconds(start, filled, frequency);
    double exportSeconds = Seconds(filled, exported, frequency);
    std::printf("grid fill: %d rows x %d columns in %.3f s (%.0f rows/s)\n", kRows, kColumns, fillSeconds,
                kRows / fillSeconds);
    std::printf("grid export to file: %.3f s (%.0f rows/s, %lu bytes)%s\n", exportSeconds,
                kRows / exportSeconds, info.nFileSizeLow, written ? "" : " FAILED");
    DestroyWindow(owner);
    return written && grid.RowCount() == kRows ? 0 : 1;
}
