#include "gtk_platform.h"

#include <cstring>

#include "bundle/bundle_resources.h"

extern char** environ;

namespace qvx {

GtkPlatform::GtkPlatform(GApplication* application) : application_(application) {}

void GtkPlatform::postToMain(Task task) { mainQueue_.post(std::move(task)); }

std::optional<std::filesystem::path> GtkPlatform::resourcesDirectory() const { return findResourcesDirectory(); }

std::map<std::string, std::string> GtkPlatform::environment() const { return environmentFromEntries(environ); }

void GtkPlatform::openWithDefaultApplication(const std::string& path) {
  g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
  g_autofree char* uri = g_file_get_uri(file);
  g_autoptr(GAppLaunchContext) context = nullptr;
  if (GdkDisplay* display = gdk_display_get_default()) {
    context = G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display));
  }
  // Asynchronous, so a slow desktop service never holds up the page; a missing
  // file or a missing default application fails without a report.
  g_app_info_launch_default_for_uri_async(uri, context, nullptr, nullptr, nullptr);
}

void GtkPlatform::terminateApplication() { g_application_quit(application_); }

}  // namespace qvx
