#include "cups/print_job.h"

#include <cups/cups.h>

#include "cups/cups_server.h"

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

std::optional<int> submitJob(const std::string& destination, const std::vector<std::filesystem::path>& files,
                             const std::string& title, const std::vector<JobOption>& options, Failure* failure) {
  auto server = CupsServer::connect(failure);
  if (!server) return std::nullopt;
  // Asking for the queue first tells a missing queue from a refused job;
  // the submission alone reports both vaguely.
  const std::optional<bool> known = hasQueue(*server, destination, failure);
  if (!known) return std::nullopt;
  if (!*known) {
    if (failure != nullptr) *failure = noSuchQueue(destination);
    return std::nullopt;
  }
  OptionList list;
  for (const JobOption& option : options) list.emplace_back(option.name, option.value);
  return printFiles(*server, destination, files, title, list, failure);
}

}  // namespace pdehost
