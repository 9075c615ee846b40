// How one fuzz input is read: the printer description's text up to the first
// NUL byte, then a stream of bytes that decides the print settings and the
// user's commands. Reading past the end gives zeros, so every input is valid.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace panelfuzz {

struct SplitInput {
  std::string_view ppdText;
  std::string_view rest;
};

inline SplitInput splitInput(const std::uint8_t* data, std::size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = all.find('\0');
  if (nul == std::string_view::npos) return {all, {}};
  return {all.substr(0, nul), all.substr(nul + 1)};
}

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  bool empty() const { return at_ >= bytes_.size(); }
  std::uint8_t byte() { return empty() ? 0 : static_cast<std::uint8_t>(bytes_[at_++]); }
  // A text of up to `maxLength` bytes: a length byte, then the bytes.
  std::string text(std::size_t maxLength = 64) {
    std::size_t length = byte() % (maxLength + 1);
    length = std::min(length, bytes_.size() - std::min(at_, bytes_.size()));
    std::string result(bytes_.substr(at_, length));
    at_ += length;
    return result;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace panelfuzz
