// The small test page pdehost prints when no file is named: one PostScript
// page that names the host and the time it was made.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pdehost {

// The page's PostScript text, with `printer` and `when` written on it.
std::string testPageText(const std::string& printer, const std::string& when);

// The page written to a new file in the temporary folder; removed when the
// object goes. Empty path (and `*error`) when it cannot be written.
class TestPageFile {
 public:
  TestPageFile(const std::string& printer, std::string* error);
  ~TestPageFile();
  TestPageFile(const TestPageFile&) = delete;
  TestPageFile& operator=(const TestPageFile&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace pdehost
