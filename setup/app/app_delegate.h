// The application delegate of the setup program: builds the one window with
// the setup page, wires the page's "qvx" channel to the bridge, and on the way
// out starts the detach of the disk image the program runs from.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "bridge/bridge.h"
#include "web_page_view.h"

namespace qvx {

class AppDelegate {
 public:
  // init: no window or page view yet, and a new bridge.
  AppDelegate(GtkApplication* application, std::shared_ptr<Platform> platform);
  ~AppDelegate();
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  // Set once at launch; the delegate holds a reference on each.
  GtkWindow* window = nullptr;
  std::shared_ptr<WebPageView> web;
  // Never null, never replaced.
  const std::shared_ptr<Bridge> bridge;

  // Launching has finished: the window, the page view and the channel; loads the page.
  void applicationDidFinishLaunching();
  // Closing the window quits the program.
  bool applicationShouldTerminateAfterLastWindowClosed();
  // The program is about to end, whatever ended it.
  void applicationWillTerminate();

 private:
  GtkApplication* application_;
};

}  // namespace qvx
