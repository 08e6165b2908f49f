#include "LhaArchive.h"

namespace {

const ArchiverNames kLhaNames = {
    ArchiveDialect::Lha, "UNLHA32.DLL", "Unlha", "Unlha",
    "Unlha32.dll がインストールされていません", "Unlha32.dll のエラーです", nullptr, nullptr, nullptr,
};

}  // namespace

LhaArchive::LhaArchive(HWND owner) : ArchiveWrapper(owner, kLhaNames) {}
