// The Prt object as scripts see it: where the platform has no printer, and on a PostScript
// printer of the test's own that writes its pages into a file.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

const char kPrinter[] = "Kestrova Test Page";
const char kPageDescription[] = "KestrovaTestPage.ppd";
const char kDefaultKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

DWORD InstalledPrinters()
{
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!needed || !EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
        return 0;
    return count;
}

// The test's printer and driver, also when an earlier run could not remove them, and the
// default printer setting while it names them.
void RemoveTestPrinter()
{
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(const_cast<char*>(kPrinter), &printer, &access)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kPrinter));
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDefaultKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    char device[256] = {};
    DWORD size = sizeof device - 1;
    if (RegQueryValueExA(key, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device), &size) == ERROR_SUCCESS &&
        std::string(device).compare(0, sizeof kPrinter - 1, kPrinter) == 0)
        RegDeleteValueA(key, "Device");
    RegCloseKey(key);
}

// Closes every dialog of the script: the platform's notice and the print dialog both take Cancel.
std::function<void(DWORD)> Cancelling(std::vector<std::string>& captions)
{
    return [&captions](DWORD processId) { AnswerDialog(processId, captions, [](HWND) -> WPARAM { return IDCANCEL; }); };
}

// Wine's PostScript driver with the tests' page description, on a port that is a file of
// the host; made the default printer while it lives.
class FilePrinter {
public:
    explicit FilePrinter(const std::string& output)
    {
        char folder[MAX_PATH] = {};
        DWORD needed = 0;
        if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
            return;
        description_ = std::string(folder) + "\\" + kPageDescription;
        WriteBytes(description_, ReadBytes(std::string(kScripts) + "\\data\\" + kPageDescription));
        DRIVER_INFO_3A driver = {};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kPrinter);
        driver.pDriverPath = const_cast<char*>("wineps.drv");
        driver.pDataFile = const_cast<char*>(kPageDescription);
        driver.pConfigFile = const_cast<char*>("wineps.drv");
        std::string port = UnixPathOf(output);
        PRINTER_INFO_2A printer = {};
        printer.pPrinterName = const_cast<char*>(kPrinter);
        printer.pPortName = &port[0];
        printer.pDriverName = const_cast<char*>(kPrinter);
        printer.pPrintProcessor = const_cast<char*>("WinPrint");
        printer.pDatatype = const_cast<char*>("RAW");
        printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        if (port.empty() || !AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)))
            return;
        HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
        if (added)
            ClosePrinter(added);
        ready_ = added && SetDefaultPrinterA(kPrinter);
    }
    ~FilePrinter()
    {
        RemoveTestPrinter();
        if (!description_.empty())
            DeleteFileA(description_.c_str());
    }
    bool Ready() const { return ready_; }

private:
    bool ready_ = false;
    std::string description_;
};

TEST(PrtTest, WithoutAPrinterEveryMemberReportsFailure)
{
    RemoveTestPrinter();
    if (InstalledPrinters() != 0)
        GTEST_SKIP() << "the platform has printers";
    std::vector<std::string> captions;
    Results r = RunScript("PrtNoPrinter.vbs", "", Cancelling(captions));
    ExpectAll(r, {
        {"Print.before", Long(0)}, {"StartPrint.default", Long(0)}, {"StartPrint.dialog", Long(0)},
        {"StartPrint.noOwner", Long(0)}, {"StartPrint.badflag", kConversionFailed},
        {"Print", Long(0)}, {"FontPrint", Long(0)}, {"ChangePageFont", Long(0)}, {"Drawing", Str("done")},
        {"Metrics", Str("0,0,0,0,0,0,0,0,0")},
    });
    // The default printer is looked for without a word; the dialog tells that there is none.
    EXPECT_EQ((std::vector<std::string>{"印刷", "印刷"}), captions);
}

TEST(PrtTest, PrintsTwoPagesOnTheCharacterGridOfThePageFont)
{
    if (InstalledPrinters() != 0)
        GTEST_SKIP() << "the platform has printers";
    std::string output = ScratchPath("prtpage.ps");
    RemoveFile(output);
    FilePrinter printer(output);
    ASSERT_TRUE(printer.Ready());
    std::vector<std::string> captions;

    Results r = RunScript("PrtPage.vbs", "Kestrova page", Cancelling(captions));

    ExpectAll(r, {
        {"StartPrint", Long(-1)}, {"Print", Long(-1)}, {"ChangePageFont", Long(-1)}, {"FontPrint", Long(-1)},
        {"Print.page2", Long(-1)}, {"Print.ended", Long(0)}, {"StartPrint.cancelled", Long(0)},
    });
    // Lines, PhysicalWidth, PhysicalHeight, PhysicalOffsetX, PhysicalOffsetY, CharWidth, LinePitch,
    // PageWidth, PageHeight. A4 at 300 dpi with a margin of 18 points: 2479 x 3508 with 75 on each
    // side; the driver's own font first (47 x 100), then the Gothic face at 10 points (21 x 45).
    EXPECT_EQ(Str("32,2479,3508,75,75,47,100,2282,3200"), At(r, "Device"));
    EXPECT_EQ(Str("73,21,45,2308,3285"), At(r, "Font"));
    EXPECT_EQ((std::vector<std::string>{"印刷"}), captions);
    std::string page = ReadBytes(output);
    EXPECT_EQ(0u, page.find("%!PS-Adobe-3.0")) << page.substr(0, 40);
    EXPECT_NE(std::string::npos, page.find("%%Title: Kestrova page"));
    EXPECT_NE(std::string::npos, page.find("%%Pages: 2"));
}

}  // namespace
