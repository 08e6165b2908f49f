// The pages the grid writers put on disk, built without a window: the HTML table file, the
// XML data file and the HTML page that shows that data through an XML data island.
// Every page is built in one pass over the grid ("\n" line ends; the file writer stores
// them as CR LF).
#pragma once

#include <cstddef>

#include "common/GridText.h"
#include "common/VornString.h"

namespace transfer {

// Grid text as page text: "<" and ">" become "&lt;" and "&gt;"; nothing else is escaped.
void AppendPageText(VornString& page, const char* text, size_t length);

// "Fld001", "Fld002", ... for the first, second, ... written column (index from 0).
VornString XmlFieldName(int index);

// The columns from firstColumn on (a negative index counts as 0).
void BuildHtmlPage(const GridTextSource& grid, int firstColumn, VornString& page);
void BuildXmlData(const GridTextSource& grid, int firstColumn, VornString& data);
// dataFileName: the data file's name without its folder, as the island's src.
void BuildXmlViewPage(const GridTextSource& grid, int firstColumn, const char* dataFileName, VornString& page);

// The same pages written straight into files (CR LF line ends) in pieces as they are
// built, for grids of any size. False when the file cannot be created or written.
bool WriteHtmlPageFile(const GridTextSource& grid, int firstColumn, const char* path);
bool WriteXmlDataFile(const GridTextSource& grid, int firstColumn, const char* path);
bool WriteXmlViewPageFile(const GridTextSource& grid, int firstColumn, const char* dataFileName, const char* path);

// The view page beside the data file: its path with the extension replaced by ".htm".
VornString XmlViewPagePath(const char* dataPath);

}  // namespace transfer
