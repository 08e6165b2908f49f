// Where the page generators find their template sections: one operation, read section
// (table, key). Window-free; the program's own database is read by MdbTemplateStore.
#pragma once

#include <memory>

#include "common/VornString.h"

enum class SectionStatus {
    Found,
    Missing,       // the table is there, the key is not
    Unreachable,   // no store has the table
};

class TemplateStore {
public:
    virtual ~TemplateStore() = default;
    virtual SectionStatus ReadSection(const char* table, const char* key, VornString& text) = 0;
};

// The templates shipped as data of the program folder: folder\table\key, one Shift_JIS
// text file per section, read with CR LF as "\n". A section's text is the file without
// the line end of its last line, as a database cell would hold it.
class FolderTemplateStore : public TemplateStore {
public:
    explicit FolderTemplateStore(const char* folder) : folder_(folder) {}
    SectionStatus ReadSection(const char* table, const char* key, VornString& text) override;

private:
    VornString folder_;
};

// Asks the first store and, for a table it does not have, the second.
class LayeredTemplateStore : public TemplateStore {
public:
    LayeredTemplateStore(std::unique_ptr<TemplateStore> first, std::unique_ptr<TemplateStore> second)
        : first_(std::move(first)), second_(std::move(second)) {}
    SectionStatus ReadSection(const char* table, const char* key, VornString& text) override;

private:
    std::unique_ptr<TemplateStore> first_;
    std::unique_ptr<TemplateStore> second_;
};

extern const char kTemplateStoreUnreachable[];   // "Kestrova.mdb に接続できません"

// Path helpers of the generators: the platform's separator, never mistaken for a trail byte.
VornString WebPath(const char* folder, const char* name);
bool IsDirectory(const char* path);
bool MakeDirectory(const char* path);
