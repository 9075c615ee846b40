// The printer description the host opens for the dialog, with libcups.
#pragma once

#include <cups/ppd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace pdehost {

class PpdDocument {
 public:
  // Opens the file and marks its defaults; null with `*error` set when the
  // file cannot be read or is not a valid description.
  static std::unique_ptr<PpdDocument> open(const std::filesystem::path& path, std::string* error);
  ~PpdDocument();
  PpdDocument(const PpdDocument&) = delete;
  PpdDocument& operator=(const PpdDocument&) = delete;

  ppd_file_t* file() const { return ppd_; }

  // Marks a choice for a keyword when that adds no conflict; false (and
  // nothing changed) when the option or choice is unknown or would conflict.
  bool markIfNoNewConflict(const std::string& keyword, const std::string& choice);

  // Whether the description has an option `keyword` with the choice `choice`.
  bool hasChoice(const std::string& keyword, const std::string& choice) const;

  // The model name (*ModelName), or empty.
  std::string modelName() const;

 private:
  explicit PpdDocument(ppd_file_t* ppd) : ppd_(ppd) {}
  ppd_file_t* ppd_;
};

}  // namespace pdehost
