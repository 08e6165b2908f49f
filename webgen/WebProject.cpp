#include "WebProject.h"

#include "common/SjisText.h"
#include "common/TextFile.h"

VornString ProjectFolder(const char* baseDirectory, const char* projectName)
{
    VornString base(baseDirectory);
    while (sjis::EndsWithChar(base, '\\') || sjis::EndsWithChar(base, '/'))
        base.Chop();
    return WebPath(base, projectName);
}

WebWriteResult WriteWebFiles(WebKind kind, const WebFields& fields, const WebMenuOptions& menu, TemplateStore& store,
                             const char* folder)
{
    WebWriteResult result;
    MakeDirectory(folder);
    result.status = BuildWebFiles(kind, fields, menu, store, [&](const char* name, const VornString& text) {
        TextFile file;
        VornString path = WebPath(folder, name);
        if (file.OpenWrite(path) && file.WriteLine(text) && file.Close())
            result.written.push_back(name);
    });
    return result;
}
