#include "cli/table.h"

#include <algorithm>

namespace tarnwick::cli {

namespace {

std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

std::string FormatTable(const TableRow& header, const std::vector<TableRow>& rows) {
  std::vector<std::size_t> widths(header.size(), 0);
  auto measure = [&widths](const TableRow& row) {
    for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
      widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  };
  measure(header);
  for (const TableRow& row : rows) measure(row);

  std::string text;
  auto write = [&](const TableRow& row) {
    std::string line;
    for (std::size_t c = 0; c < widths.size(); ++c) {
      const std::string cell = c < row.size() ? row[c] : std::string();
      line += cell;
      if (c + 1 < widths.size()) line.append(widths[c] - DisplayWidth(cell) + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  };
  write(header);
  for (const TableRow& row : rows) write(row);
  return text;
}

}  // namespace tarnwick::cli
