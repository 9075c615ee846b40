#include "actions/printer_description.h"

#include "session/host_session.h"

namespace pdehost {

PrinterDescription describePrinter(const HostSession& session) {
  PrinterDescription description{session.printer(), {}};
  if (session.ppd() != nullptr && session.ppd()->file() != nullptr) {
    const ppd_file_t* ppd = session.ppd()->file();
    description.model = ppd->nickname != nullptr ? ppd->nickname : (ppd->modelname != nullptr ? ppd->modelname : "");
  }
  return description;
}

}  // namespace pdehost
