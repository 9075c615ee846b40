// Decoding of the messages the setup page posts on the "qvx" channel.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace qvx {

struct InstallMessage {
  std::string office;
  std::string name;
  std::string code;
};
struct ShowLogMessage {};
struct QuitMessage {};
// A body that is not an object with a string "cmd", or an unknown command.
struct IgnoredMessage {};

using PageMessage = std::variant<IgnoredMessage, InstallMessage, ShowLogMessage, QuitMessage>;

// `body` is the posted value as JSON text. Text that is not valid JSON is
// ignored like any other body that is not an object. For "install", a missing
// or non-string "office", "name" or "code" counts as empty.
PageMessage decodePageMessage(std::string_view body);

}  // namespace qvx
