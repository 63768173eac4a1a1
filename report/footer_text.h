// The fixed texts of the report's footer, shared by the writer and the reader of reports.
#pragma once

#include <string_view>

namespace tarnwick {

inline constexpr std::string_view kFooterAsterisks = "******************************************";
inline constexpr std::string_view kComputerLine = "Report for computer,";
inline constexpr std::string_view kTotalLine = "Estimated total size,";
inline constexpr std::string_view kGeneratedLine = "Generated with Tarnwick at,";

}  // namespace tarnwick
