// Which CUPS queue the dialog prints to, decided as a print dialog decides:
// a queue the person named, else their default destination when it drives
// an LX4200, else the first LX4200 queue by name. Plain logic over what the
// server reported, so it is tested without a server.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "failure/failure.h"

namespace pdehost {

// The model name of the printer this panel is for, as its description
// (*ModelName) and CUPS' printer-make-and-model give it.
inline constexpr std::string_view kLX4200ModelName = "Vemra LX4200 Color";

// A queue drives an LX4200 when its make-and-model, compared without case
// and with runs of blanks taken as one, is the model name or starts with it
// followed by a blank or a comma ("Vemra LX4200 Color Production Printer",
// "Vemra LX4200 Color, 1.2"). "Vemra LX42000" and "Vemra LX4200 Mono" do not.
bool isLX4200MakeAndModel(std::string_view makeAndModel);

struct QueueInfo {
  std::string name;
  std::string makeAndModel;
  bool isDefault = false;  // the user's (or the server's) default destination
};

struct QueueChoice {
  std::optional<std::string> queue;    // none: no queue to use
  std::vector<std::string> lx4200Queues;  // by name
  std::optional<Failure> failure;      // set when a named queue is unknown
};

// `requested`: none to choose on our own; a name for the queue the person
// named (which may drive another model: it is theirs to choose).
QueueChoice chooseQueue(const std::vector<QueueInfo>& queues, const std::optional<std::string>& requested);

// What a person reads when no queue drives an LX4200.
Failure noQvxPrinter();
std::string noQueueMessage();  // the same, in English

}  // namespace pdehost
