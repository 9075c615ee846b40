// The print summary the dialog shows.
// NOT BUILT YET: answers an empty dictionary until the summary is written.
#include "VemraPrintPdeLX4200CO.h"
#include "pde_trace.h"

nlohmann::json VemraPrintPdeLX4200CO::summaryInfo() {
  _PDEProlog(this, "summaryInfo:");
  nlohmann::json summary = nlohmann::json::object();
  _PDEEpilog(this, "summaryInfo:=NSDictionary(%zu)", summary.size());
  return summary;
}
