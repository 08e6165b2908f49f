#include "ZipArchive.h"

namespace {

const ArchiverNames kZipNames = {
    ArchiveDialect::Zip, "UNZIP32.DLL", "UnZip", "UnZip",
    "Unzip32.dll がインストールされていません", "Unzip32.dll のエラーです",
    "ZIP32J.DLL", "Zip32j.dll がインストールされていません", "Zip32j.dll のエラーです",
};

}  // namespace

ZipArchive::ZipArchive(HWND owner) : ArchiveWrapper(owner, kZipNames) {}
