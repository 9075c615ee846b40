// The bridge's platform services in the window program: the GLib main loop as
// the main queue, the bundle's resources, the process environment, GIO's
// default-application launch and GApplication's quit.
#pragma once

#include <gtk/gtk.h>

#include "bridge/platform.h"
#include "glib_main_queue.h"
#include "process/environment.h"

namespace qvx {

class GtkPlatform : public Platform {
 public:
  // `application` must outlive this object.
  explicit GtkPlatform(GApplication* application);

  void postToMain(Task task) override;
  std::optional<std::filesystem::path> resourcesDirectory() const override;
  std::map<std::string, std::string> environment() const override;
  void openWithDefaultApplication(const std::string& path) override;
  void terminateApplication() override;

 private:
  GApplication* application_;
  GlibMainQueue mainQueue_;
};

}  // namespace qvx
