#include "LhaArchiveWindow.h"

#include "common/LhaArchive.h"

namespace {

const ArchiveWindowKind kLhaWindow = {
    nullptr, "Unlha32 はインストールされていません", "LZH,*.lzh,全て,*.*", "lzh", ".lzh",
    "NewUnlha32", "OpenUnlha32", "SelectUnlha32", true, 0,
};

}  // namespace

LhaArchiveWindow::LhaArchiveWindow(ProfileStore& settings) : ArchiveWindow(settings, kLhaWindow) {}

std::unique_ptr<ArchiveWrapper> LhaArchiveWindow::CreateArchive(HWND owner)
{
    return std::unique_ptr<ArchiveWrapper>(new LhaArchive(owner));
}
