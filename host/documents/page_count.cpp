#include "documents/page_count.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <array>
#include <charconv>
#include <string>

#include "media/media_api.h"

namespace pdehost::documents {
namespace {

// A plain-text page as the text filter lays it out by default, near enough
// for an estimate: 80 columns, 60 lines.
constexpr int kColumns = 80;
constexpr long long kLinesPerPage = 60;
// DSC comments are at most 255 bytes; longer lines are program text.
constexpr std::size_t kLongestComment = 255;

long long pagesForLines(long long lines) { return (lines + kLinesPerPage - 1) / kLinesPerPage; }

// Feeds the whole file, from its start, to `sink` in blocks.
template <typename Sink>
bool readAll(int fd, Sink& sink) {
  std::array<char, 64 * 1024> block;
  for (off_t at = 0;;) {
    const ssize_t got = pread(fd, block.data(), block.size(), at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    sink.feed(std::string_view(block.data(), static_cast<std::size_t>(got)));
    at += got;
  }
}

// PDF pages are counted by poppler, in the media module that is loaded the
// first time a PDF is added, so that a script run without documents never
// maps poppler's libraries.
std::optional<PageCount> countPdfPages(int fd) {
  std::string error;
  const media::Api* api = media::api(&error);
  if (api == nullptr) return std::nullopt;
  const int pages = api->countPdfPages(fd);
  if (pages < 1) return std::nullopt;
  return PageCount{pages, false};
}

}  // namespace

void TextPageEstimate::feed(std::string_view bytes) {
  for (const char c : bytes) {
    if (c == '\f') {
      const long long onPage = lines_ + (column_ > 0 ? 1 : 0);
      pagesDone_ += std::max(1LL, pagesForLines(onPage));
      lines_ = 0;
      column_ = 0;
      pageHasText_ = false;
      continue;
    }
    if (c == '\n') {
      ++lines_;
      column_ = 0;
      pageHasText_ = true;
      continue;
    }
    // A character starts at every byte that is not a UTF-8 continuation.
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 || c == '\r') continue;
    pageHasText_ = true;
    if (++column_ > kColumns) {  // the filter wraps long lines
      ++lines_;
      column_ = 1;
    }
  }
}

PageCount TextPageEstimate::result() const {
  const long long onPage = lines_ + (column_ > 0 ? 1 : 0);
  const long long pages = pagesDone_ + (pageHasText_ ? std::max(1LL, pagesForLines(onPage)) : 0);
  return {static_cast<int>(std::clamp(pages, 1LL, 1000000LL)), true};
}

void PostScriptPageCounter::feed(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    const std::string_view piece = bytes.substr(0, end);
    if (!skippingLongLine_) {
      if (partial_.size() + piece.size() > kLongestComment) {
        // Program text: only its showpage operators count.
        if ((partial_ + std::string(piece.substr(0, 16))).find("showpage") != std::string::npos) ++showpages_;
        skippingLongLine_ = true;
        partial_.clear();
      } else {
        partial_.append(piece);
      }
    }
    if (end == std::string_view::npos) return;
    if (!skippingLongLine_) line(partial_);
    partial_.clear();
    skippingLongLine_ = false;
    bytes.remove_prefix(end + 1);
  }
}

void PostScriptPageCounter::line(std::string_view text) {
  if (text.starts_with("%%BeginDocument")) ++embedded_;
  if (text.starts_with("%%EndDocument") && embedded_ > 0) --embedded_;
  if (embedded_ > 0) return;
  if (text.starts_with("%%Pages:")) {
    std::string_view value = text.substr(8);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    int pages = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), pages);
    if (ec == std::errc() && end != value.data()) declared_ = pages;  // the trailer's answers "(atend)"
  } else if (text.starts_with("%%Page:")) {
    ++pageComments_;
  } else if (!text.starts_with("%") && text.find("showpage") != std::string_view::npos) {
    ++showpages_;
  }
}

void PostScriptPageCounter::finish() {
  if (!skippingLongLine_ && !partial_.empty()) line(partial_);
  partial_.clear();
}

PageCount PostScriptPageCounter::result() const {
  if (declared_ && *declared_ > 0) return {*declared_, false};
  if (pageComments_ > 0) return {pageComments_, false};
  return {std::max(1, showpages_), true};
}

std::optional<PageCount> countPages(int fd, DocumentType type) {
  switch (type) {
    case DocumentType::Image:
      return PageCount{1, false};
    case DocumentType::Pdf:
      return countPdfPages(fd);
    case DocumentType::PostScript: {
      PostScriptPageCounter counter;
      if (!readAll(fd, counter)) return std::nullopt;
      counter.finish();
      return counter.result();
    }
    case DocumentType::Text: {
      TextPageEstimate estimate;
      if (!readAll(fd, estimate)) return std::nullopt;
      return estimate.result();
    }
  }
  return std::nullopt;
}

}  // namespace pdehost::documents
