// A hidden owner window with a grid, a DbLink whose message boxes are captured, and the
// sample servers as ConnectArguments, shared by the link and batch tests.
#pragma once

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "common/GridView.h"
#include "db/DbLink.h"

namespace linktest {

struct SampleServer {
    const char* name;
    DatabaseKind kind;
    const char* argument;
};

inline const SampleServer kSampleServers[] = {
    {"PostgreSQL", DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"},
    {"MariaDB", DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova"},
};

struct Shown {
    HWND owner;
    std::string text;
};

// The link's failure boxes land in shown instead of blocking the test.
struct LinkHost {
    LinkHost() : window("DbLink", false), grid(window.Handle(), 0, 0, 600, 400)
    {
        link.messageSink = [this](HWND owner, const char* text) { shown.push_back({owner, text}); };
    }
    bool GridVisible() const { return (GetWindowLongA(grid.ListHandle(), GWL_STYLE) & WS_VISIBLE) != 0; }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> cells;
        for (int row = 0; row < grid.RowCount(); ++row)
            cells.push_back(grid.CellText(row, column).Text());
        return cells;
    }

    RecordingWindow window;
    GridView grid;
    DbLink link;
    std::vector<Shown> shown;
};

inline std::string Tail(const VornString& text, size_t length)
{
    size_t size = text.Length();
    return size >= length ? std::string(text.Text() + size - length) : std::string(text.Text());
}

}  // namespace linktest
