// Onboarder: the window program, or with --stdio its headless front end.
#include <cstdio>
#include <cstring>

#include "stdio/stdio_front_end.h"

#ifdef QVX_HAVE_WINDOW
#include "app/window_app.h"
#include "app/detach_command.h"
#include "bundle/bundle_resources.h"
#include "process/process.h"

extern char** environ;

namespace {

// The window program's last step, for the terminal front end too: a program
// run from a mounted disk image has that image detached after it is gone.
void detachDiskImage() {
  auto bundle = qvx::findBundleDirectory();
  if (!bundle) {
    if (const auto self = qvx::runningExecutable()) bundle = self->parent_path();
  }
  if (!bundle) return;
  const auto volume = qvx::volumePathForBundle(bundle->string());
  if (!volume) return;
  std::map<std::string, std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (const char* equals = std::strchr(*entry, '=')) {
      environment.emplace(std::string(*entry, static_cast<std::size_t>(equals - *entry)), equals + 1);
    }
  }
  qvx::Process detach;
  detach.setExecutable(qvx::kDetachExecutable);
  detach.setArguments(qvx::detachCommandArguments(*volume));
  detach.setEnvironment(std::move(environment));
  detach.launch();
}

}  // namespace
#endif

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--stdio") == 0) {
#ifdef QVX_HAVE_WINDOW
      return qvx::runStdioFrontEnd(detachDiskImage);
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
