// Splits a byte stream into lines at line feeds, across reads.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace qvx {

class LineSplitter {
 public:
  // A line that grows past this many bytes is dropped whole, up to and
  // including its line feed, so that output without line feeds cannot use up
  // all memory.
  static constexpr std::size_t kDefaultMaxLineBytes = 64u << 20;

  explicit LineSplitter(std::size_t maxLineBytes = kDefaultMaxLineBytes) : maxLineBytes_(maxLineBytes) {}

  // Appends a chunk and calls onLine(std::string_view) for every line it
  // completes, in order, without the line feed. Bytes after the last line feed
  // wait for the next chunk.
  template <typename OnLine>
  void append(std::string_view chunk, OnLine&& onLine) {
    const char* data = chunk.data();
    std::size_t size = chunk.size();
    while (size > 0) {
      const auto* lf = static_cast<const char*>(std::memchr(data, '\n', size));
      if (lf == nullptr) {
        keep(data, size);
        return;
      }
      const std::size_t length = static_cast<std::size_t>(lf - data);
      if (dropping_) {
        dropping_ = false;
      } else if (pending_.empty()) {
        // The common case: the whole line is inside this chunk; no copy.
        if (length <= maxLineBytes_) onLine(std::string_view(data, length));
      } else {
        keep(data, length);
        if (!dropping_) onLine(std::string_view(pending_));
        dropping_ = false;
        releasePending();
      }
      data += length + 1;
      size -= length + 1;
    }
  }

  // Bytes of an unfinished line held for the next chunk.
  std::size_t pendingBytes() const { return pending_.size(); }

 private:
  void keep(const char* data, std::size_t size) {
    if (dropping_) return;
    if (pending_.size() + size > maxLineBytes_) {
      dropping_ = true;
      releasePending();
      return;
    }
    pending_.append(data, size);
  }

  void releasePending() {
    // Give back the memory of an unusually long line; keep a small buffer.
    if (pending_.capacity() > (1u << 20)) {
      std::string().swap(pending_);
    } else {
      pending_.clear();
    }
  }

  std::size_t maxLineBytes_;
  std::string pending_;
  bool dropping_ = false;
};

}  // namespace qvx
