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

bool WritePage(HWND owner, const char* path, const VornString& page)
{
    TextFile file;
    if (file.OpenWrite(path) && file.WriteLine(page)) {
        file.Close();
        return true;
    }
    VornString message;
    message.Format("%s の書き込みに失敗しました　　", path);
    ShowWarning(owner, message);
    return false;
}

}  // namespace

GridPageOpener SetGridPageOpener(GridPageOpener opener)
{
    GridPageOpener previous = g_opener;
    g_opener = opener ? opener : OpenWithUrlHandler;
    return previous;
}

bool WriteGridPageFiles(HWND owner, const GridView& grid, int firstColumn, const char* path, bool xml,
                        VornString& shownPage)
{
    GridViewSource source(grid);
    VornString page;
    if (!xml) {
        transfer::BuildHtmlPage(source, firstColumn, page);
        shownPage = path;
        return WritePage(owner, path, page);
    }
    transfer::BuildXmlData(source, firstColumn, page);
    if (!WritePage(owner, path, page))
        return false;
    VornString dataName(path);
    dataName.StripPath();
    shownPage = transfer::XmlViewPagePath(path);
    transfer::BuildXmlViewPage(source, firstColumn, dataName, page);
    return WritePage(owner, shownPage, page);
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
