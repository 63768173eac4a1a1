// Plain-text tables for the terminal: columns padded to their widest cell, two blanks apart.
#pragma once

#include <string>
#include <vector>

namespace tarnwick::cli {

using TableRow = std::vector<std::string>;

// The last column is not padded, so no line ends in blanks. Widths count bytes, except that the
// continuation bytes of UTF-8 take no room.
std::string FormatTable(const TableRow& header, const std::vector<TableRow>& rows);

}  // namespace tarnwick::cli
