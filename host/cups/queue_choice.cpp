#include "cups/queue_choice.h"

#include <strings.h>

#include <algorithm>

namespace pdehost {
namespace {

// Lower case, blanks trimmed and runs of blanks as one space.
std::string folded(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

}  // namespace

bool isLX4200MakeAndModel(std::string_view makeAndModel) {
  const std::string model = folded(kLX4200ModelName);
  const std::string given = folded(makeAndModel);
  if (given.rfind(model, 0) != 0) return false;
  return given.size() == model.size() || given[model.size()] == ' ' || given[model.size()] == ',';
}

QueueChoice chooseQueue(const std::vector<QueueInfo>& queues, const std::optional<std::string>& requested) {
  QueueChoice choice;
  for (const QueueInfo& queue : queues) {
    if (isLX4200MakeAndModel(queue.makeAndModel)) choice.lx4200Queues.push_back(queue.name);
  }
  std::sort(choice.lx4200Queues.begin(), choice.lx4200Queues.end());

  if (requested) {
    // CUPS compares queue names without case.
    auto named = std::find_if(queues.begin(), queues.end(), [&](const QueueInfo& queue) {
      return strcasecmp(queue.name.c_str(), requested->c_str()) == 0;
    });
    if (named != queues.end()) {
      choice.queue = named->name;
      return choice;
    }
    Failure unknown{FailureKind::noSuchQueueHere, {{"queue", *requested}}, {}};
    if (choice.lx4200Queues.empty()) {
      unknown.more.push_back(noQvxPrinter());
    } else {
      std::string names;
      for (const std::string& name : choice.lx4200Queues) names += (names.empty() ? "" : " ") + name;
      unknown.more.push_back({FailureKind::qvxPrintersHere, {{"queues", names}}, {}});
    }
    choice.failure = std::move(unknown);
    return choice;
  }

  auto isDefaultLX4200 = [](const QueueInfo& queue) {
    return queue.isDefault && isLX4200MakeAndModel(queue.makeAndModel);
  };
  if (auto preferred = std::find_if(queues.begin(), queues.end(), isDefaultLX4200); preferred != queues.end()) {
    choice.queue = preferred->name;
  } else if (!choice.lx4200Queues.empty()) {
    choice.queue = choice.lx4200Queues.front();
  }
  return choice;
}

Failure noQvxPrinter() { return {FailureKind::noQvxPrinter, {}, {}}; }

std::string noQueueMessage() { return english(noQvxPrinter()); }

}  // namespace pdehost
