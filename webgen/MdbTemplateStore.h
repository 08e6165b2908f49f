// The templates as the program's own database holds them: "Kestrova.mdb" beside the
// program, table per generator with the columns ターゲット (key) and テキスト (text).
#pragma once

#include "TemplateStore.h"

class MdbTemplateStore : public TemplateStore {
public:
    explicit MdbTemplateStore(const char* mdbPath) : path_(mdbPath) {}
    // Opens the database for every section and closes it again. Unreachable when the file
    // is absent, no Access driver opens it, or it has no such table.
    SectionStatus ReadSection(const char* table, const char* key, VornString& text) override;

private:
    VornString path_;
};

// The store the generators use: Kestrova.mdb of the program folder first, then the
// templates shipped in its "Tool\templates" folder.
std::unique_ptr<TemplateStore> ProgramTemplateStore(const char* programFolder);
