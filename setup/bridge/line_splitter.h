// Splits a byte stream into lines at line feeds, across reads.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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
      } else if (pendingSize_ == 0) {
        // The common case: the whole line is inside this chunk; no copy.
        if (length <= maxLineBytes_) onLine(std::string_view(data, length));
      } else {
        keep(data, length);
        if (!dropping_) onLine(joinedPending());
        dropping_ = false;
        releasePending();
      }
      data += length + 1;
      size -= length + 1;
    }
  }

  // Bytes of an unfinished line held for the next chunk.
  std::size_t pendingBytes() const { return pendingSize_; }

 private:
  // An unfinished line is held in parts of at least kPartBytes, as it came:
  // growing one buffer would copy it into a buffer twice as large each time,
  // holding a long line twice over at the moment of the copy.
  static constexpr std::size_t kPartBytes = 64u << 10;

  void keep(const char* data, std::size_t size) {
    if (dropping_ || size == 0) return;
    if (pendingSize_ + size > maxLineBytes_) {
      dropping_ = true;
      releasePending();
      return;
    }
    if (parts_.empty() || parts_.back().capacity() - parts_.back().size() < size) {
      parts_.emplace_back().reserve(size > kPartBytes ? size : kPartBytes);
    }
    parts_.back().append(data, size);
    pendingSize_ += size;
  }

  std::string_view joinedPending() {
    if (parts_.size() == 1) return parts_.front();
    line_.clear();
    line_.reserve(pendingSize_);
    for (const std::string& part : parts_) line_ += part;
    return line_;
  }

  void releasePending() {
    // Keep one part's buffer for the next line; give back anything larger.
    if (parts_.size() > 1 || (!parts_.empty() && parts_.front().capacity() > kPartBytes)) {
      std::vector<std::string>().swap(parts_);
    } else if (!parts_.empty()) {
      parts_.front().clear();
    }
    if (line_.capacity() > kPartBytes) std::string().swap(line_);
    pendingSize_ = 0;
  }

  std::size_t maxLineBytes_;
  std::vector<std::string> parts_;
  std::size_t pendingSize_ = 0;
  std::string line_;  // a line joined from several parts
  bool dropping_ = false;
};

}  // namespace qvx
