// The setup page as the bridge sees it: a WebKitGTK view that evaluates the
// page scripts. Holds a reference on the view, and lets go of it as soon as
// GTK destroys the view, so a script queued after the window closed is dropped
// instead of reaching a disposed view.
#pragma once

#include <webkit2/webkit2.h>

#include <string>

#include "bridge/platform.h"

namespace qvx {

class WebPageView : public PageView {
 public:
  explicit WebPageView(WebKitWebView* view);
  ~WebPageView() override;
  WebPageView(const WebPageView&) = delete;
  WebPageView& operator=(const WebPageView&) = delete;

  // Main thread only. The outcome of the script is never observed.
  void evaluateJavaScript(const std::string& script) override;
  // One evaluation in WebKit for the whole batch: the scripts' calls as data
  // for one loop, or else the scripts each in a try block. `evaluated` runs when
  // WebKit reports it done (or at once if the view is gone).
  void evaluateJavaScripts(const ScriptBatch& scripts, std::function<void()> evaluated) override;

  // The view, or null once it was destroyed.
  WebKitWebView* view() const { return view_; }

 private:
  static void onDestroy(GtkWidget* widget, gpointer self);
  static void onEvaluated(GObject* view, GAsyncResult* result, gpointer evaluated);
  void release();

  WebKitWebView* view_;
  gulong destroyHandler_ = 0;
};

}  // namespace qvx
