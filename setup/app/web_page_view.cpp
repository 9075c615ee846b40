#include "web_page_view.h"

#include <memory>
#include <utility>

#include "bridge/script_text.h"

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

void WebPageView::evaluateJavaScripts(const ScriptBatch& scripts, std::function<void()> evaluated) {
  if (!view_) {
    evaluated();
    return;
  }
  const std::string text = batchScriptText(scripts);
  webkit_web_view_evaluate_javascript(view_, text.data(), static_cast<gssize>(text.size()), nullptr, nullptr,
                                      nullptr, &WebPageView::onEvaluated,
                                      new std::function<void()>(std::move(evaluated)));
}

void WebPageView::onEvaluated(GObject* view, GAsyncResult* result, gpointer evaluated) {
  // The value, or the page's exception, is not looked at.
  g_autoptr(GError) error = nullptr;
  if (JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error)) {
    g_object_unref(value);
  }
  const std::unique_ptr<std::function<void()>> callback(static_cast<std::function<void()>*>(evaluated));
  (*callback)();
}

void WebPageView::onDestroy(GtkWidget*, gpointer self) { static_cast<WebPageView*>(self)->release(); }

void WebPageView::release() {
  if (!view_) return;
  g_signal_handler_disconnect(view_, destroyHandler_);
  g_object_unref(std::exchange(view_, nullptr));
}

}  // namespace qvx
