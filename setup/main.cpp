// Onboarder: the window program, or with --stdio its headless front end.
#include <cstdio>
#include <cstring>

#include "stdio/stdio_front_end.h"

#ifdef QVX_HAVE_WINDOW
#include "app/disk_image_detach.h"
#include "app/window_app.h"
#endif

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--stdio") == 0) {
#ifdef QVX_HAVE_WINDOW
      return qvx::runStdioFrontEnd(qvx::startDiskImageDetach);
#else
      return qvx::runStdioFrontEnd();
#endif
    }
  }
#ifdef QVX_HAVE_WINDOW
  return qvx::runWindowApp(argc, argv);
#else
  std::fputs("Onboarder: this build has no window (built without GTK); run it with --stdio.\n", stderr);
  return 2;
#endif
}
