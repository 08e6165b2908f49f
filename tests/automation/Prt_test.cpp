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

bool PlatformHasPrinters()
{
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count);
    return needed != 0;
}

// Every dialog of the script takes Cancel: the platform's notice and the print dialog alike.
std::function<void(DWORD)> Cancelling(std::vector<std::string>& captions)
{
    return [&captions](DWORD processId) { AnswerDialog(processId, captions, [](HWND) -> WPARAM { return IDCANCEL; }); };
}

// Wine's PostScript driver with the tests' page description, on a port that is a file of the
// host, as the default printer while it lives. An earlier run's printer is removed first.
class FilePrinter {
public:
    explicit FilePrinter(const std::string& output)
    {
        Remove();
        char folder[MAX_PATH] = {};
        DWORD needed = 0;
        GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed);
        description_ = std::string(folder) + "\\" + kPageDescription;
        WriteBytes(description_, ReadBytes(std::string(kScripts) + "\\data\\" + kPageDescription));
        DRIVER_INFO_3A driver = {};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kPrinter);
        driver.pDriverPath = driver.pConfigFile = const_cast<char*>("wineps.drv");
        driver.pDataFile = const_cast<char*>(kPageDescription);
        std::string port = UnixPathOf(output);
        PRINTER_INFO_2A printer = {};
        printer.pPrinterName = printer.pDriverName = const_cast<char*>(kPrinter);
        printer.pPortName = &port[0];
        printer.pPrintProcessor = const_cast<char*>("WinPrint");
        printer.pDatatype = const_cast<char*>("RAW");
        HANDLE added = nullptr;
        if (!port.empty() && AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)))
            added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
        if (added)
            ClosePrinter(added);
        ready_ = added && SetDefaultPrinterA(kPrinter);
    }
    ~FilePrinter()
    {
        Remove();
        DeleteFileA(description_.c_str());
    }
    bool Ready() const { return ready_; }

private:
    // The platform then has no printer, and so no default printer, again.
    static void Remove()
    {
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (OpenPrinterA(const_cast<char*>(kPrinter), &printer, &access)) {
            DeletePrinter(printer);
            ClosePrinter(printer);
        }
        DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kPrinter));
    }

    bool ready_ = false;
    std::string description_;
};

TEST(PrtTest, WithoutAPrinterEveryMemberReportsFailure)
{
    if (PlatformHasPrinters())
        GTEST_SKIP() << "the platform has printers";
    std::vector<std::string> captions;
    Results r = RunScript("PrtNoPrinter.vbs", "", Cancelling(captions));
    ExpectAll(r, {
        {"Print.before", Long(0)}, {"StartPrint.default", Long(0)}, {"StartPrint.dialog", Long(0)},
        {"StartPrint.noOwner", Long(0)}, {"StartPrint.badflag", kConversionFailed},
        {"Print", Long(0)}, {"FontPrint", Long(0)}, {"ChangePageFont", Long(0)}, {"Drawing", Str("done")},
        {"Metrics", Str("0,0,0,0,0,0,0,0,0")},
    });
    // No word about the default printer; the dialog, owned or not, tells that there is none.
    EXPECT_EQ((std::vector<std::string>{"印刷", "印刷"}), captions);
}

TEST(PrtTest, PrintsTwoPagesOnTheCharacterGridOfThePageFont)
{
    if (PlatformHasPrinters())
        GTEST_SKIP() << "the platform has printers";
    std::string output = ScratchPath("prtpage.ps");
    RemoveFile(output);
    std::vector<std::string> captions;
    Results r;
    {
        FilePrinter printer(output);
        ASSERT_TRUE(printer.Ready());
        r = RunScript("PrtPage.vbs", "Kestrova page", Cancelling(captions));
    }
    ExpectAll(r, {
        {"StartPrint", Long(-1)}, {"Print", Long(-1)}, {"ChangePageFont", Long(-1)}, {"FontPrint", Long(-1)},
        {"Print.page2", Long(-1)}, {"Print.ended", Long(0)}, {"StartPrint.cancelled", Long(0)},
        // Lines, PhysicalWidth, PhysicalHeight, PhysicalOffsetX, PhysicalOffsetY, CharWidth, LinePitch,
        // PageWidth, PageHeight: A4 at 300 dpi with 18-point margins is 2479 x 3508 with 75 on each
        // side; the driver's own font measures 47 x 100, the Gothic face at 10 points 21 x 45.
        {"Device", Str("32,2479,3508,75,75,47,100,2282,3200")}, {"Font", Str("73,21,45,2308,3285")},
    });
    EXPECT_EQ((std::vector<std::string>{"印刷"}), captions);
    std::string page = ReadBytes(output);
    EXPECT_EQ(0u, page.find("%!PS-Adobe-3.0")) << page.substr(0, 40);
    EXPECT_NE(std::string::npos, page.find("%%Title: Kestrova page"));
    EXPECT_NE(std::string::npos, page.find("%%Pages: 2"));
}

}  // namespace
