// The texts the file list shows for each cell, from the file table.
#pragma once

#include <string>
#include <string_view>

#include "report/file_table.h"

namespace pcn {

// The file list's columns; the filler follows the last.
inline constexpr int kNameColumn = 0;
inline constexpr int kFindingsColumn = 10;

// The text of one cell of the file list: row from 0, column 0 the file's name (UTF-8, as the
// path is), 1 the dealer number, 2-7 the amounts, 8-9 the counts, 10 the number of findings
// (blank when none), anything else (the filler) a single space. All but the name are
// Windows-1255, as the file holds them.
std::string FileListCellText(const FileTable& table, int row, int column);

// The row's tip: the file's full path as it was chosen (UTF-8); empty for no such row.
std::string FileListTipText(const FileTable& table, int row);

}  // namespace pcn
