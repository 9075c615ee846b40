#include "disk_image_detach.h"

#include "bundle/bundle_resources.h"
#include "detach_command.h"
#include "process/environment.h"
#include "process/process.h"

extern char** environ;

namespace qvx {

void startDiskImageDetach() {
  // A program without a bundle counts its own folder as the bundle.
  auto bundle = findBundleDirectory();
  if (!bundle) {
    if (const auto self = runningExecutable()) bundle = self->parent_path();
  }
  if (!bundle) return;
  const auto volume = volumePathForBundle(bundle->string());
  if (!volume) return;

  Process detach;
  detach.setExecutable(kDetachExecutable);
  detach.setArguments(detachCommandArguments(*volume));
  detach.setEnvironment(environmentFromEntries(environ));
  detach.launch();
}

}  // namespace qvx
