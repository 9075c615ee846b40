#include "session/host_callback.h"

namespace pdehost {

HostCallbackObject::HostCallbackObject(PpdDocument* ppd, JsonPrintSettings* settings,
                                       std::optional<std::string> printerID, bool offersConstraintHandling)
    : ppd_(ppd), settings_(settings), session_(std::move(printerID)), constraints_(offersConstraintHandling) {}

bool HostCallbackObject::willChangePPDOptionKeyValuePpdChoice(const std::string& keyword,
                                                              const std::string& choice) {
  // A host without constraint handling is never asked; refuse if it is.
  bool accepted = constraints_ && ppd_ != nullptr && ppd_->markIfNoNewConflict(keyword, choice);
  questions_.push_back({keyword, choice, accepted});
  return accepted;
}

}  // namespace pdehost
