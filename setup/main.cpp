// Onboarder: with --stdio the headless front end; otherwise the window, which
// is the program beside this one. This program links no GUI library.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/disk_image_detach.h"
#include "launch/window_program.h"
#include "stdio/stdio_front_end.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--stdio") == 0) return qvx::runStdioFrontEnd(qvx::startDiskImageDetach);
  }
  std::string error;
  qvx::execWindowProgram(argv, error);
  std::fprintf(stderr, "Onboarder: cannot start the window (%s); run it with --stdio for the terminal front end.\n",
               error.c_str());
  return 2;
}
