// The printer description the host opens for the dialog, with libcups.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ppd_adapter.h"

namespace pdehost {

class PpdDocument {
 public:
  static constexpr std::uintmax_t kLargestFile = 64 * 1024 * 1024;
  // Opens the file and marks its defaults; null with `*error` set when the
  // file cannot be read or is not a valid description. Messages name the
  // file as `shownAs` when given (a copy from a server is named by where it
  // came from, not by its temporary path).
  static std::unique_ptr<PpdDocument> open(const std::filesystem::path& path, std::string* error,
                                           const std::string& shownAs = {});
  ppd_file_t* file() const { return ppd_.get(); }

  // Marks a choice for a keyword when that adds no conflict; false (and
  // nothing changed) when the option or choice is unknown or would conflict.
  bool markIfNoNewConflict(const std::string& keyword, const std::string& choice);

  // Whether the description has an option `keyword` with the choice `choice`.
  bool hasChoice(const std::string& keyword, const std::string& choice) const;

  // Gives groups, options and choices the labels of the description's own
  // translations ("*de.Translation VMCMode/Farbmodus", "*de.VMCMode
  // Gray/Graustufen"), each from the first of `localizations` that has one,
  // as a print dialog shows them; from "en" on (the language the description
  // is written in) the labels stay. A translation that is not UTF-8 is
  // skipped. Done here rather than by ppdLocalize(), which follows only the
  // locale and never the person's LANGUAGE list, so the description's labels
  // are in the same language as the panel's own.
  void localize(const std::vector<std::string>& localizations);

  // The model name (*ModelName), or empty.
  std::string modelName() const;

 private:
  explicit PpdDocument(ppdx::File ppd) : ppd_(std::move(ppd)) {}
  ppdx::File ppd_;
};

}  // namespace pdehost
