// The argument rules of the open and save dialogs, kept free of windows so both builds test
// them: the comma-separated filter, the default titles, flags and filter index.
#pragma once

#include <cstddef>

namespace filedialog {

// The OFN_* values the defaults are made of (commdlg.h).
const unsigned long kReadOnlyHidden = 0x00000004;    // OFN_HIDEREADONLY
const unsigned long kFolderKept = 0x00000008;        // OFN_NOCHANGEDIR
const unsigned long kOverwritePrompt = 0x00000002;   // OFN_OVERWRITEPROMPT
const unsigned long kFileMustExist = 0x00001000;     // OFN_FILEMUSTEXIST

const size_t kFilterBufferSize = 512;
const unsigned kDefaultPathSize = 260;

extern const char kDefaultFilter[];     // "全て,*.*"
extern const char kOpenTitle[];         // "ファイルのパスの取得"
extern const char kSaveTitle[];         // "保存ファイルのパスの取得"

// Copies the filter ("name,pattern,name,pattern...") into buffer (kFilterBufferSize bytes)
// with every "," turned into NUL, as the dialog wants it. An empty or null filter is
// kDefaultFilter. Longer text is cut on a character boundary so that the closing pair of
// NULs still fits. Returns the bytes of filter text kept.
size_t BuildFilter(const char* filter, char* buffer);

const char* TitleOrDefault(const char* title, bool save);
unsigned long FlagsOrDefault(unsigned long flags, bool save);
unsigned long FilterIndexOrDefault(unsigned long index);

}  // namespace filedialog
