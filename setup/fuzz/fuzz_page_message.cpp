// Decoding of page message bodies. Beyond not crashing, a decoded command must
// agree with what a plain JSON reading of the body says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <nlohmann/json.hpp>

#include "bridge/page_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const auto message = qvx::decodePageMessage(body);
  if (std::holds_alternative<qvx::IgnoredMessage>(message)) return 0;

  const auto value = nlohmann::json::parse(body, nullptr, false);
  if (!value.is_object() || !value.contains("cmd") || !value["cmd"].is_string()) std::abort();
  const auto& cmd = value["cmd"].get_ref<const std::string&>();
  if (const auto* install = std::get_if<qvx::InstallMessage>(&message)) {
    if (cmd != "install") std::abort();
    const auto field = [&](const char* key) {
      return value.contains(key) && value[key].is_string() ? value[key].get<std::string>() : std::string();
    };
    if (install->office != field("office") || install->name != field("name") || install->code != field("code")) {
      std::abort();
    }
  } else if (std::holds_alternative<qvx::ShowLogMessage>(message)) {
    if (cmd != "showlog") std::abort();
  } else if (cmd != "quit") {
    std::abort();
  }
  return 0;
}
