// The files of every generator: template sections with the lines written from the chosen
// columns between them, each file built whole in memory and handed to the sink in the
// order the project needs them. Window-free.
#pragma once

#include <functional>

#include "TemplateStore.h"
#include "WebKinds.h"

enum class WebRunStatus {
    Done,
    SectionMissing,     // the run stopped; the files handed over before stay
    StoreUnreachable,   // the same, and "Kestrova.mdb に接続できません" is due
};

struct WebMenuOptions {
    VornString title;   // replaces every "$MENU" of index.asp
    int columns = 3;    // 1, 2 or 3 menu columns per row
};

// Receives each finished file: its name in the project folder and its text ("\n" line ends).
using WebFileSink = std::function<void(const char* name, const VornString& text)>;

WebRunStatus BuildWebFiles(WebKind kind, const WebFields& fields, const WebMenuOptions& menu, TemplateStore& store,
                           const WebFileSink& sink);

// The placeholders {NAME} {NNN} {WIDTH} {W2} {TABLE} {i} {i1} of a generated line filled in
// one pass (a name holding such a word stays as it is).
VornString FillLine(const char* pattern, const WebColumn& column, const char* table, int index = 0,
                    int width = -1);
