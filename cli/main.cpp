#include "cli/cli.h"

int main(int argc, char** argv) { return tarnwick::cli::Main(argc, argv); }
