// Whole files read and written safely: what the host and the panel read
// (settings, scripts, descriptions, layouts, tables) and what they keep
// (settings, presets).
//
// A read opens without blocking and checks what it opened, so a FIFO or a
// device named by mistake is refused at once instead of hanging or filling
// memory. A write goes to a temporary file beside the target, which is
// synced and then renamed over it: a failure at any step (a full disk, a
// file-size limit, a read-only folder) leaves the old file as it was.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

struct ReadRules {
  std::uintmax_t largest = 16 * 1024 * 1024;
  // The words after "PATH: " when the file is larger than `largest`.
  std::string_view tooLarge = "too large";
  // The words after "PATH: " when the file cannot be opened.
  std::string_view cannotOpen = "cannot be opened";
};

// The file's bytes; none, with `*error` naming the file and why ("PATH: is
// not a regular file"), when it is not a regular file, is larger than
// allowed or cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string* error,
                                         const ReadRules& rules = {});

// A descriptor open for reading on the regular file `path` (blocking reads,
// close-on-exec), which the caller closes; -1, with `*error` as
// readWholeFile sets it, when it is not one or is larger than allowed.
int openRegularFile(const std::filesystem::path& path, std::string* error, const ReadRules& rules = {});

// Why `path` cannot be used as an existing regular file ("PATH: is a
// folder, not a file", "PATH: cannot be opened", "the file name is empty");
// none when it can. Opens the file without blocking to find out.
std::optional<std::string> whyNotARegularFile(const std::filesystem::path& path);

// Replaces the file at `path` with `text`, or leaves it untouched and sets
// `*error` ("PATH: cannot be written: the disk is full"). A new file gets
// `mode`; a replaced one keeps its own mode.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view text, std::string* error,
                         mode_t mode = 0644);

// The cause of a failed write in words: "the disk is full", "the file-size
// limit was reached", "the folder is read-only", or the system's text.
std::string writeFailureCause(int errorNumber);

// A name for a temporary file beside `target`: hidden, recognisably the
// target's, ending in "XXXXXX" for mkstemp, and never longer than a file
// name may be (255 bytes), however long the target's name is.
std::string temporaryNameBeside(const std::filesystem::path& target);

// A file that removes itself when its last copy goes: made exclusively
// (mkstemp) in `folder` with a name starting with `stem`.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  // An empty TemporaryFile, with `*error` naming the folder, when no file
  // can be made there or `text` cannot be written to it in full.
  static TemporaryFile create(const std::filesystem::path& folder, const std::string& stem, std::string_view text,
                              std::string* error);
  // Takes over a file made elsewhere, to be removed in the same way.
  static TemporaryFile adopt(std::filesystem::path path);

  explicit operator bool() const { return path_ != nullptr; }
  const std::filesystem::path& path() const;

 private:
  std::shared_ptr<const std::filesystem::path> path_;
};

// The folder for temporary files: TMPDIR when set, otherwise "/tmp".
std::filesystem::path temporaryFolder();

}  // namespace toolkit
