#include "failure/failure.h"

namespace pdehost {

Failure because(std::string reason) { return {FailureKind::reason, {{"reason", std::move(reason)}}, {}}; }

const std::vector<FailureKind>& allFailureKinds() {
  using enum FailureKind;
  static const std::vector<FailureKind> kinds = {
      serverUnreachable, serverUnreachableDuring, serverSilent, serverHungUp, serverRefused,
      noSuchQueue, noSuchQueueHere, qvxPrintersHere, noQvxPrinter, noDescription, noPrinterChosen,
      unknownChoices, conflictingOptions, jobNotSent, lastUsedNotKept,
      noSettings, noDescriptionToCheck, noPresetFolder, builtInPreset, nothingPrintedTo, nothingPrintedHere,
      reason,
  };
  return kinds;
}

std::string_view englishWording(FailureKind kind) {
  switch (kind) {
    using enum FailureKind;
    case serverUnreachable: return "the CUPS server {server} cannot be reached";
    case serverUnreachableDuring: return "the CUPS server {server} cannot be reached ({request}: {reason})";
    case serverSilent: return "the CUPS server {server} did not answer within {seconds} s ({request})";
    case serverHungUp: return "the CUPS server {server} closed the connection without an answer ({request})";
    case serverRefused: return "{request} failed on the CUPS server {server}: {reason}";
    case noSuchQueue: return "there is no CUPS queue named \"{queue}\" on {server}";
    case noSuchQueueHere: return "there is no CUPS queue named \"{queue}\"";
    case qvxPrintersHere: return "the QVX printers here are: {queues}";
    case noQvxPrinter:
      return "No QVX printer is set up on this computer. Set one up with \"Install QVX Printer\" in the "
             "applications menu, or run qvx-onboarder.";
    case noDescription: return "the CUPS queue \"{queue}\" on {server} has no printer description";
    case noPrinterChosen: return "no printer to print to (--printer is empty)";
    case unknownChoices: return "the printer description has no such choice: {choices}";
    case conflictingOptions: return "conflicting options: {choices}";
    case jobNotSent: return "the job was not sent";
    case lastUsedNotKept: return "the last used settings were not kept: {reason}";
    case noSettings: return "the host has no print settings (--no-settings)";
    case noDescriptionToCheck: return "no printer description to check the options with";
    case noPresetFolder: return "no folder for presets: neither XDG_CONFIG_HOME nor HOME is set";
    case builtInPreset: return "\"{preset}\" is built in and cannot be deleted";
    case nothingPrintedTo: return "nothing was printed to {queue} from here yet";
    case nothingPrintedHere: return "nothing was printed to this printer from here yet";
    case reason: return "{reason}";
  }
  return "{reason}";
}

std::string fillNamedHoles(std::string_view wording, const Failure& failure) {
  std::string text;
  std::size_t at = 0;
  for (std::size_t open = wording.find('{'); open != std::string_view::npos; open = wording.find('{', at)) {
    const std::size_t close = wording.find('}', open);
    if (close == std::string_view::npos) break;
    text.append(wording, at, open - at);
    const auto arg = failure.args.find(wording.substr(open + 1, close - open - 1));
    if (arg != failure.args.end()) {
      text += arg->second;
    } else {
      text.append(wording, open, close + 1 - open);
    }
    at = close + 1;
  }
  return text.append(wording, at);
}

std::string worded(const Failure& failure, const std::function<std::string_view(FailureKind)>& wordingOf) {
  std::string text = fillNamedHoles(wordingOf(failure.kind), failure);
  for (const Failure& clause : failure.more) text += "; " + worded(clause, wordingOf);
  return text;
}

std::string english(const Failure& failure) { return worded(failure, englishWording); }

}  // namespace pdehost
