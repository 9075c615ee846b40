#include "page_guard.h"

#include <string>
#include <system_error>

#include "page_confinement.h"

namespace qvx {

namespace {

constexpr const char* kRuleListName = "resources-only";

gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type, gpointer data) {
  const auto& folderUri = *static_cast<const std::string*>(data);
  switch (type) {
    case WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION: {
      WebKitNavigationAction* action =
          webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
      const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
      if (uri && isInsideFolder(uri, folderUri)) return FALSE;  // WebKit's own default
      webkit_policy_decision_ignore(decision);
      return TRUE;
    }
    case WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION:
      webkit_policy_decision_ignore(decision);  // the page has no use for other windows
      return TRUE;
    default:
      return FALSE;
  }
}

// What the asynchronous compilation of the rule list needs when it ends.
struct PendingLoad {
  WebKitWebView* view;
  std::string pageUri;
  std::filesystem::path storeDir;
};

void onRulesCompiled(GObject* source, GAsyncResult* result, gpointer data) {
  auto* pending = static_cast<PendingLoad*>(data);
  g_autoptr(GError) error = nullptr;
  WebKitUserContentFilter* rules =
      webkit_user_content_filter_store_save_finish(WEBKIT_USER_CONTENT_FILTER_STORE(source), result, &error);
  if (rules) {
    webkit_user_content_manager_add_filter(webkit_web_view_get_user_content_manager(pending->view), rules);
    webkit_user_content_filter_unref(rules);
    webkit_web_view_load_uri(pending->view, pending->pageUri.c_str());
  } else {
    g_warning("setup page not loaded: its content rules did not compile: %s", error ? error->message : "?");
  }
  // The compiled list stays mapped in memory; its files are not needed again.
  std::error_code ignored;
  std::filesystem::remove_all(pending->storeDir, ignored);
  g_object_unref(source);
  g_object_unref(pending->view);
  delete pending;
}

}  // namespace

void loadConfinedPage(WebKitWebView* view, const std::filesystem::path& folder, const std::filesystem::path& page) {
  g_autofree char* folderUri = g_filename_to_uri(folder.c_str(), nullptr, nullptr);
  g_autofree char* pageUri = g_filename_to_uri(page.c_str(), nullptr, nullptr);
  g_autofree char* storeDir = g_dir_make_tmp("qvx-onboarder-rules-XXXXXX", nullptr);
  if (!folderUri || !pageUri || !storeDir) return;

  g_signal_connect_data(view, "decide-policy", G_CALLBACK(onDecidePolicy), new std::string(folderUri),
                        [](gpointer data, GClosure*) { delete static_cast<std::string*>(data); }, GConnectFlags(0));

  const std::string rules = contentRulesForFolder(folderUri);
  g_autoptr(GBytes) source = g_bytes_new(rules.data(), rules.size());
  WebKitUserContentFilterStore* store = webkit_user_content_filter_store_new(storeDir);
  auto* pending = new PendingLoad{WEBKIT_WEB_VIEW(g_object_ref(view)), pageUri, storeDir};
  webkit_user_content_filter_store_save(store, kRuleListName, source, nullptr, onRulesCompiled, pending);
}

}  // namespace qvx
