#include "GridPageOutput.h"

#include "GridPages.h"
#include "common/GridViewSource.h"
#include "app/MainSettings.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "common/TextFile.h"

namespace {

void OpenWithUrlHandler(const char* path)
{
    VornString command("RunDLL32.EXE url.dll,FileProtocolHandler ");
    command.Append(path);
    RunProgram(command, nullptr);
}

GridPageOpener g_opener = OpenWithUrlHandler;

void ReportUnwritable(HWND owner, const char* path)
{
    VornString message;
    message.Format("%s の書き込みに失敗しました　　", path);
    ShowWarning(owner, message);
}

}  // namespace

GridPageOpener SetGridPageOpener(GridPageOpener opener)
{
    GridPageOpener previous = g_opener;
    g_opener = opener ? opener : OpenWithUrlHandler;
    return previous;
}

bool WriteGridPageFiles(HWND owner, const GridTextSource& grid, int firstColumn, const char* path, bool xml,
                        VornString& shownPage)
{
    if (!xml) {
        shownPage = path;
        if (transfer::WriteHtmlPageFile(grid, firstColumn, path))
            return true;
        ReportUnwritable(owner, path);
        return false;
    }
    if (!transfer::WriteXmlDataFile(grid, firstColumn, path)) {
        ReportUnwritable(owner, path);
        return false;
    }
    VornString dataName(path);
    dataName.StripPath();
    shownPage = transfer::XmlViewPagePath(path);
    if (transfer::WriteXmlViewPageFile(grid, firstColumn, dataName, shownPage))
        return true;
    ReportUnwritable(owner, shownPage);
    return false;
}

bool WriteGridPageFiles(HWND owner, const GridView& grid, int firstColumn, const char* path, bool xml,
                        VornString& shownPage)
{
    return WriteGridPageFiles(owner, GridViewSource(grid), firstColumn, path, xml, shownPage);
}

void OutputGridPage(HWND owner, const GridView& grid, int firstColumn, ProfileStore& settings, bool xml)
{
    const char* folderKey = xml ? settings::kDirXmlput : settings::kDirHtmlput;
    VornString folder;
    settings.Read(settings::kSaveDir, folderKey, folder);
    char file[MAX_PATH] = "";
    if (!SaveFileDialog(owner, nullptr, xml ? "XML,*.xml" : "HTML,*.htm;*.html", 1, file, OFN_OVERWRITEPROMPT,
                        folder, xml ? "xml" : "htm"))
        return;
    VornString shown;
    if (!WriteGridPageFiles(owner, grid, firstColumn, file, xml, shown))
        return;
    RememberSaveFolder(settings, folderKey, file);
    g_opener(shown);
}
