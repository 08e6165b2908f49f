#include "ZipArchiveWindow.h"

#include "common/ZipArchive.h"

namespace {

// ZIP32J.DLL's messages on a failed add can be long.
const unsigned kZipOutputSize = 4096;

const ArchiveWindowKind kZipWindow = {
    "UNZIP32ツール", "Unzip32 はインストールされていません", "ZIP,*.zip,全て,*.*", "zip", ".zip",
    "NewUnlzip32", "OpenUnzip32", "SelectUnzip32", false, kZipOutputSize,
};

}  // namespace

ZipArchiveWindow::ZipArchiveWindow(ProfileStore& settings) : ArchiveWindow(settings, kZipWindow) {}

std::unique_ptr<ArchiveWrapper> ZipArchiveWindow::CreateArchive(HWND owner)
{
    return std::unique_ptr<ArchiveWrapper>(new ZipArchive(owner));
}
