// A file the host made for a while (a printer description copied from the
// server): removed when the last owner lets go of it.
#pragma once

#include <filesystem>
#include <memory>

namespace pdehost {

class TemporaryFile {
 public:
  TemporaryFile() = default;
  explicit TemporaryFile(std::filesystem::path path)
      : path_(new std::filesystem::path(std::move(path)), [](std::filesystem::path* p) {
          std::error_code ec;
          std::filesystem::remove(*p, ec);
          delete p;
        }) {}
  explicit operator bool() const { return path_ != nullptr; }
  const std::filesystem::path& path() const { return *path_; }

 private:
  std::shared_ptr<std::filesystem::path> path_;
};

}  // namespace pdehost
