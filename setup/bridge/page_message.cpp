#include "bridge/page_message.h"

#include <nlohmann/json.hpp>

namespace qvx {

namespace {

std::string stringValue(const nlohmann::json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end() || !it->is_string()) return {};
  return it->get<std::string>();
}

}  // namespace

PageMessage decodePageMessage(std::string_view body) {
  // No exceptions: malformed text yields a discarded value.
  const auto value = nlohmann::json::parse(body, nullptr, /*allow_exceptions=*/false);
  if (!value.is_object()) return IgnoredMessage{};
  const auto cmd = value.find("cmd");
  if (cmd == value.end() || !cmd->is_string()) return IgnoredMessage{};
  const auto& command = cmd->get_ref<const std::string&>();
  if (command == "install") {
    return InstallMessage{stringValue(value, "office"), stringValue(value, "name"), stringValue(value, "code")};
  }
  if (command == "showlog") return ShowLogMessage{};
  if (command == "quit") return QuitMessage{};
  return IgnoredMessage{};
}

}  // namespace qvx
