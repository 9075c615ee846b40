// What went wrong, as a kind with its arguments (queue, server, file,
// reason...), so that each front end words it in its own language: scripts
// read the English wording, the window the person's. Each kind is worded once
// per language, its arguments as named holes ("{queue}").
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost {

enum class FailureKind {
  // The CUPS server.
  serverUnreachable,        // {server}
  serverUnreachableDuring,  // {server} {request} {reason}
  serverSilent,             // {server} {seconds} {request}
  serverHungUp,             // {server} {request}
  serverRefused,            // {request} {server} {reason}
  // Queues and their descriptions.
  noSuchQueue,              // {queue} {server}
  noSuchQueueHere,          // {queue}: a name the person gave, among the server's queues
  qvxPrintersHere,          // {queues}
  noQvxPrinter,
  noDescription,            // {queue} {server}
  noPrinterChosen,          // --printer is empty
  // The job.
  unknownChoices,           // {choices}
  conflictingOptions,       // {choices}
  jobNotSent,
  lastUsedNotKept,          // {reason}
  // Settings, defaults and presets.
  noSettings,
  noDescriptionToCheck,
  noPresetFolder,
  builtInPreset,            // {preset}
  nothingPrintedTo,         // {queue}
  nothingPrintedHere,
  // A lower layer's own sentence, passed on as it stands.
  reason,                   // {reason}
};

struct Failure {
  FailureKind kind = FailureKind::reason;
  std::map<std::string, std::string, std::less<>> args;  // by hole name
  std::vector<Failure> more;  // further clauses, worded after "; "
};

// A failure that only has a lower layer's sentence to give.
Failure because(std::string reason);

// Every kind, for the checks that each has its wordings.
const std::vector<FailureKind>& allFailureKinds();

// The kind's English wording, its arguments as named holes.
std::string_view englishWording(FailureKind kind);

// `wording` with each "{name}" replaced by the failure's argument of that
// name (an argument's own braces are left as they are).
std::string fillNamedHoles(std::string_view wording, const Failure& failure);

// The whole failure, its further clauses included, in the words `wordingOf` gives.
std::string worded(const Failure& failure, const std::function<std::string_view(FailureKind)>& wordingOf);

// The whole failure in English: the text of a script's error line.
std::string english(const Failure& failure);

}  // namespace pdehost
