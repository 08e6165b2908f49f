// A generator's files on disk: the project folder and the files written into it as they
// are finished. Window-free.
#pragma once

#include <vector>

#include "PageBuilders.h"

// The base directory with one trailing separator, followed by the project name.
VornString ProjectFolder(const char* baseDirectory, const char* projectName);

struct WebWriteResult {
    WebRunStatus status = WebRunStatus::Done;
    std::vector<VornString> written;   // the files' names, in writing order
};

// Creates the folder when needed and writes each file there in text mode (CR LF on disk).
// A file that cannot be written is passed over: the run reports only its sections.
WebWriteResult WriteWebFiles(WebKind kind, const WebFields& fields, const WebMenuOptions& menu, TemplateStore& store,
                             const char* folder);
