#include "window_app.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "app_delegate.h"
#include "gtk_platform.h"

namespace qvx {

namespace {

// The program's globals, set in this order at start (the log path is the
// constant kLogPath of the bridge).
GtkApplication* app = nullptr;
AppDelegate* delegate = nullptr;

void onActivate(GApplication*, gpointer) {
  // Activation can come more than once; the window is built once.
  if (!delegate->window) delegate->applicationDidFinishLaunching();
}

void onWindowRemoved(GtkApplication* application, GtkWindow*, gpointer) {
  if (gtk_application_get_windows(application) == nullptr &&
      delegate->applicationShouldTerminateAfterLastWindowClosed()) {
    g_application_quit(G_APPLICATION(application));
  }
}

void onShutdown(GApplication*, gpointer) { delegate->applicationWillTerminate(); }

}  // namespace

int runWindowApp(int argc, char** argv) {
  if (!gtk_init_check(nullptr, nullptr)) {
    std::fputs("Onboarder: no display to open the window on; run \"Onboarder --stdio\" for the terminal "
               "front end.\n",
               stderr);
    return 1;
  }

  // Not unique: two copies of the installer (or of its tests) never hand their
  // work to each other over the session bus.
  app = gtk_application_new("com.qvx.Onboarder", G_APPLICATION_NON_UNIQUE);
  auto platform = std::make_shared<GtkPlatform>(G_APPLICATION(app));
  auto owned = std::make_unique<AppDelegate>(app, platform);
  delegate = owned.get();

  g_signal_connect(app, "activate", G_CALLBACK(onActivate), nullptr);
  g_signal_connect(app, "window-removed", G_CALLBACK(onWindowRemoved), nullptr);
  g_signal_connect(app, "shutdown", G_CALLBACK(onShutdown), nullptr);

  // The program reads no arguments: GApplication sees only the program name.
  char* programOnly[] = {argc > 0 ? argv[0] : nullptr, nullptr};
  g_application_run(G_APPLICATION(app), argc > 0 ? 1 : 0, programOnly);

  if (delegate->window) gtk_widget_destroy(GTK_WIDGET(delegate->window));
  delegate = nullptr;
  owned.reset();
  g_object_unref(std::exchange(app, nullptr));
  return 0;
}

}  // namespace qvx
