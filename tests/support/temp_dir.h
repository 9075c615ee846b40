// A fresh folder under the system's temporary directory for one test,
// removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace qvx::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // Writes a file (parents made) and returns its path.
  std::filesystem::path write(const std::filesystem::path& relative, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace qvx::test
