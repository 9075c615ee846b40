#include "web_page_view.h"

#include <utility>

namespace qvx {

WebPageView::WebPageView(WebKitWebView* view) : view_(WEBKIT_WEB_VIEW(g_object_ref(view))) {
  destroyHandler_ = g_signal_connect(view_, "destroy", G_CALLBACK(&WebPageView::onDestroy), this);
}

WebPageView::~WebPageView() { release(); }

void WebPageView::evaluateJavaScript(const std::string& script) {
  if (!view_) return;
  webkit_web_view_evaluate_javascript(view_, script.data(), static_cast<gssize>(script.size()), nullptr,
                                      nullptr, nullptr, nullptr, nullptr);
}

void WebPageView::onDestroy(GtkWidget*, gpointer self) { static_cast<WebPageView*>(self)->release(); }

void WebPageView::release() {
  if (!view_) return;
  g_signal_handler_disconnect(view_, destroyHandler_);
  g_object_unref(std::exchange(view_, nullptr));
}

}  // namespace qvx
