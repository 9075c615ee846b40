// Which printer the session uses, as the `printer` command and the
// window's header tell it.
#pragma once

#include <string>

#include "cups/queue_lookup.h"

namespace pdehost {

class HostSession;

struct PrinterDescription {
  PrinterInfo printer;
  std::string model;  // the description's nickname, else its model name; empty without one
};

PrinterDescription describePrinter(const HostSession& session);

}  // namespace pdehost
