// Large lists in and out of the program:
//   list_benchmark.exe roundtrip KESTROVA.EXE [lines]
//     starts the program, hands it lines x 5 fields of Shift_JIS text on the clipboard
//     (command 32953 under the mutex "Kestrova") and takes them back (32962); prints the
//     seconds of each and whether the text came back byte for byte.
//   list_benchmark.exe export [rows]
//     fills a grid of rows x 5 columns and exports it to clipboard text and to a file.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/KestrovaRemote.h"
#include "common/Clipboard.h"
#include "common/GridView.h"

namespace {

const int kFields = 5;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Field texts with trail bytes 0x5C and letters, so that a byte-wise split would show.
void Field(int line, int field, char* out, size_t size)
{
    static const char* const kWords[] = {"表示", "ソフト", "能力", "社員①", "～㈱髙"};
    std::snprintf(out, size, "%s%d-%d", kWords[(line + field) % 5], line, field);
}

std::string ListText(int lines, bool withHeadings)
{
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 80);
    if (withHeadings)
        text += "1\t2\t3\t4\t5\r\n";
    char field[64];
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < kFields; ++column) {
            Field(line, column, field, sizeof field);
            if (column)
                text += '\t';
            text += field;
        }
        text += "\r\n";
    }
    return text;
}

int RoundTrip(const char* exePath, int lines)
{
    KestrovaRemote kestrova;
    if (!kestrova.Launch(exePath)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    std::string sent = ListText(lines, false);
    if (!kestrova.PutClipboard(sent.c_str())) {
        std::fprintf(stderr, "clipboard refused the list\n");
        return 1;
    }
    double start = Now();
    kestrova.Command(32953);
    double pasted = Now();
    kestrova.Command(32962);
    std::string back = kestrova.Clipboard();
    double copied = Now();
    bool same = back == ListText(lines, true);
    std::printf("roundtrip %d lines x %d fields (%zu bytes): paste %.3f s, copy %.3f s, total %.3f s, %s\n", lines,
                kFields, sent.size(), pasted - start, copied - pasted, copied - start,
                same ? "identical" : "DIFFERENT");
    kestrova.Close();
    return same ? 0 : 1;
}

int Export(int rows)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND owner = CreateWindowExA(0, "STATIC", "計測", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    GridView grid(owner, 0, 0, 780, 560);
    for (int column = 0; column < kFields; ++column)
        grid.AddColumn("列 表ソ", 80);
    grid.Hide();
    char field[64];
    for (int row = 0; row < rows; ++row) {
        grid.AddRow();
        for (int column = 0; column < kFields; ++column) {
            Field(row, column, field, sizeof field);
            grid.SetText(column, field);
        }
    }
    double start = Now();
    bool copied = grid.CopyToClipboard(0, false, true, kExportTab);
    double clipboard = Now();
    VornString text;
    ReadClipboardText(owner, text);
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    lstrcatA(path, "kestrova_list_benchmark.txt");
    VornString target(path);
    double fileStart = Now();
    bool written = grid.Export(0, false, true, kExportFileTab, target);
    double fileEnd = Now();
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    GetFileAttributesExA(path, GetFileExInfoStandard, &info);
    DeleteFileA(path);
    std::printf("export %d rows x %d columns: clipboard %.3f s (%zu bytes), file %.3f s (%lu bytes)%s\n", rows,
                kFields, clipboard - start, text.Length(), fileEnd - fileStart, info.nFileSizeLow,
                copied && written ? "" : " FAILED");
    DestroyWindow(owner);
    return copied && written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "roundtrip") == 0)
        return RoundTrip(argv[2], argc > 3 ? std::atoi(argv[3]) : 100000);
    if (argc > 1 && std::strcmp(argv[1], "export") == 0)
        return Export(argc > 2 ? std::atoi(argv[2]) : 100000);
    std::fprintf(stderr, "usage: list_benchmark roundtrip KESTROVA.EXE [lines] | export [rows]\n");
    return 2;
}
