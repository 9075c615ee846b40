#include "app_delegate.h"

#include <webkit2/webkit2.h>

#include <utility>

#include "bundle/bundle_resources.h"
#include "disk_image_detach.h"
#include "page_guard.h"
#include "page_languages.h"
#include "window_geometry.h"

namespace qvx {

namespace {

// The title area looks transparent: it shows the window's own background, the
// same one that shows through the page, which paints none. (A truly transparent
// header bar would show GTK's darker frame colour instead.)
constexpr const char* kWindowCss = R"css(
headerbar.qvx-titlebar,
headerbar.qvx-titlebar:backdrop {
  background: @theme_bg_color;
  border-color: transparent;
  box-shadow: none;
}
)css";

void installWindowCss() {
  GdkScreen* screen = gdk_screen_get_default();
  if (!screen) return;
  g_autoptr(GtkCssProvider) css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kWindowCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

// A posted message reaches the bridge as the JSON text of the posted value.
void onScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer data) {
  const auto& bridge = *static_cast<std::shared_ptr<Bridge>*>(data);
  JSCValue* value = webkit_javascript_result_get_js_value(result);
  g_autofree char* json = value ? jsc_value_to_json(value, 0) : nullptr;
  // `undefined` and functions have no JSON text; like any body that is not an
  // object they are ignored by the bridge.
  bridge->userContentControllerDidReceiveScriptMessage(json ? json : "null");
}

// Right-clicking the page would offer Reload and Back; only text fields keep
// their menu (cut, copy, paste).
gboolean onContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult* hit, gpointer) {
  return webkit_hit_test_result_context_is_editable(hit) ? FALSE : TRUE;
}

// A page that cannot be loaded leaves the window empty: WebKitGTK's own error
// page (with its technical text) is not shown.
gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, char*, GError*, gpointer) { return TRUE; }

}  // namespace

AppDelegate::AppDelegate(GtkApplication* application, std::shared_ptr<Platform> platform)
    : bridge(Bridge::create(std::move(platform))), application_(application) {}

AppDelegate::~AppDelegate() {
  web.reset();
  if (window) g_object_unref(std::exchange(window, nullptr));
}

void AppDelegate::applicationDidFinishLaunching() {
  // 1. The message channel, connected before the handler is registered so no
  //    message can slip past.
  WebKitUserContentManager* contentManager = webkit_user_content_manager_new();
  g_signal_connect_data(contentManager, "script-message-received::qvx", G_CALLBACK(onScriptMessage),
                        new std::shared_ptr<Bridge>(bridge),
                        [](gpointer data, GClosure*) { delete static_cast<std::shared_ptr<Bridge>*>(data); },
                        GConnectFlags(0));
  webkit_user_content_manager_register_script_message_handler(contentManager, "qvx");

  // 2. The page view with that configuration, asking for the person's
  //    languages.
  setPageLanguages();
  auto* view = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "user-content-manager", contentManager, nullptr));
  g_object_unref(contentManager);
  g_object_ref_sink(view);
  web = std::make_shared<WebPageView>(view);
  g_object_unref(view);
  gtk_widget_set_size_request(GTK_WIDGET(view), kContentWidth, kContentHeight);
  g_signal_connect(view, "context-menu", G_CALLBACK(onContextMenu), nullptr);
  g_signal_connect(view, "load-failed", G_CALLBACK(onLoadFailed), nullptr);

  // 3. The view paints no background of its own.
  const GdkRGBA clear = {0, 0, 0, 0};
  webkit_web_view_set_background_color(view, &clear);

  // 4. The bridge talks to the page from now on.
  bridge->web = web;

  // 5.–6. The window: fixed size, closable and minimisable, centred, its title
  //    area transparent and draggable, the page view as its content.
  installWindowCss();
  window = GTK_WINDOW(g_object_ref(gtk_application_window_new(application_)));
  gtk_window_set_title(window, kWindowTitle);
  GtkWidget* titlebar = gtk_header_bar_new();
  gtk_header_bar_set_title(GTK_HEADER_BAR(titlebar), kWindowTitle);
  gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(titlebar), TRUE);
  gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(titlebar), "menu:minimize,close");
  gtk_style_context_add_class(gtk_widget_get_style_context(titlebar), "qvx-titlebar");
  gtk_window_set_titlebar(window, titlebar);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(view));
  gtk_widget_show_all(GTK_WIDGET(window));
  gtk_widget_grab_focus(GTK_WIDGET(view));

  // 7. The page, once the window is up, with the view kept to the resources
  //    directory. Without a resources directory the window stays empty and
  //    nothing is reported.
  if (const auto resources = findResourcesDirectory()) loadConfinedPage(view, *resources, *resources / "ui.html");

  // 8. Bring the program to the front.
  gtk_window_present(window);
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() { return true; }

void AppDelegate::applicationWillTerminate() { startDiskImageDetach(); }

}  // namespace qvx
