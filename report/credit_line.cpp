#include "report/credit_line.h"

namespace tarnwick {

// A name under a reserved top-level domain, so that the address can never lead to somebody
// else's site.
const char* const ProjectWebAddress = "https://tarnwick.example/";
const char* const ProjectWebHost = "tarnwick.example";

std::string CreditLine() {
  return std::string("Tarnwick is freeware, written by, The Tarnwick Project 2026, ") +
         ProjectWebAddress;
}

}  // namespace tarnwick
