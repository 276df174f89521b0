// The texts the file list shows for each cell, from the file table.
#pragma once

#include <string>

#include "report/file_table.h"

namespace pcn {

// The text of one cell of the file list: row from 0, column 0 the dealer number, 1-6 the
// amounts, 7-8 the counts, 9 the number of findings (blank when none), anything else (the
// filler) a single space.
std::string FileListCellText(const FileTable& table, int row, int column);

}  // namespace pcn
