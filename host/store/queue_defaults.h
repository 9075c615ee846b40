// The queue's defaults as the panel's starting print settings, and the
// panel's choices as the user's saved defaults: only the printer's own
// options (the description's keywords, with a choice it has) cross in
// either direction, never the panel's bookkeeping entries.
#pragma once

#include "cups/cups_server.h"
#include "cups/ppd_document.h"
#include "store/print_settings.h"

namespace pdehost {

// The printer options among `options`, in their order.
OptionList printerOptionsIn(const PpdDocument& ppd, const OptionList& options);

// The text entries of the settings, in key order.
OptionList textEntriesOf(const JsonPrintSettings& settings);

// Puts the queue's defaults (the server's, with the user's saved ones over
// them) into the settings and marks them in the description, as a print
// dialog starts a job; a default that would conflict with those before it
// is left out. The defaults put in, in order.
OptionList startFromQueueDefaults(JsonPrintSettings& settings, PpdDocument& ppd, const OptionList& queueDefaults);

}  // namespace pdehost
