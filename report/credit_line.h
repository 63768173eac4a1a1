// The project's name on the web, shared by the report's credit line and the About window.
#pragma once

#include <string>

namespace tarnwick {

extern const char* const ProjectWebAddress;  // "https://tarnwick.example/"
extern const char* const ProjectWebHost;     // "tarnwick.example"

// Footer line 5: the program as freeware, its maker and year, its web address.
std::string CreditLine();

}  // namespace tarnwick
