#include "print_job.h"

#include <cups/cups.h>

namespace pdehost {

bool isJobOptionName(const std::string& name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (!letter(name[0])) return false;
  for (char c : name) {
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '_' && c != '.') return false;
  }
  return true;
}

std::optional<std::vector<JobOption>> jobOptionsFromSettings(const JsonPrintSettings& settings, std::string* error) {
  std::vector<JobOption> options;
  const nlohmann::json entries = settings.toJson();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (!it->is_string()) continue;
    if (!isJobOptionName(it.key())) {
      if (error != nullptr) *error = "print setting \"" + it.key() + "\" cannot be a job option name";
      return std::nullopt;
    }
    options.push_back({it.key(), it->get<std::string>()});
  }
  return options;
}

std::string describeChoices(const std::vector<OptionChoice>& choices) {
  std::string text;
  for (const OptionChoice& c : choices) {
    if (!text.empty()) text += ", ";
    text += c.keyword + "=" + c.choice;
  }
  return text;
}

namespace {

// The server as a person names it: "host:port", or a socket path.
std::string serverName() {
  const std::string server = cupsServer();
  if (!server.empty() && server[0] == '/') return server;
  return server + ":" + std::to_string(ippPort());
}

}  // namespace

std::optional<int> submitJob(const std::string& destination, const std::filesystem::path& file,
                             const std::string& title, const std::vector<JobOption>& options, std::string* error) {
  // Asking for the queue first tells a missing queue from a server that
  // cannot be reached; the submission alone reports both vaguely.
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination.c_str(), nullptr);
  if (dest == nullptr) {
    if (error != nullptr) {
      const std::string server = serverName();
      http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
      if (http == nullptr) {
        *error = "the CUPS server " + server + " cannot be reached";
      } else {
        httpClose(http);
        *error = "there is no CUPS queue named \"" + destination + "\" on " + server;
      }
    }
    return std::nullopt;
  }
  cupsFreeDests(1, dest);
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  for (const JobOption& option : options) {
    count = cupsAddOption(option.name.c_str(), option.value.c_str(), count, &cupsOptions);
  }
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.c_str(), file.c_str(), title.c_str(), count,
                                 cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (job <= 0) {
    if (error != nullptr) {
      const char* why = cupsLastErrorString();
      *error = "printing to \"" + destination + "\" failed: " + (why != nullptr && *why ? why : "no job was created");
    }
    return std::nullopt;
  }
  return job;
}

}  // namespace pdehost
