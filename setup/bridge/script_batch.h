// Page scripts handed over together: their texts one after another in one
// buffer, each followed by a line feed (so a batch is also the terminal front
// end's output as it stands).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qvx {

struct ScriptBatch {
  std::string text;
  std::vector<std::size_t> ends;  // where each script's line feed is in `text`

  std::size_t size() const { return ends.size(); }
  bool empty() const { return ends.empty(); }
  // The i-th script, without its line feed.
  std::string_view script(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1] + 1;
    return std::string_view(text).substr(begin, ends[i] - begin);
  }
  void append(std::string_view script) {
    text += script;
    ends.push_back(text.size());
    text += '\n';
  }
  // Ends the script written straight onto `text` since the last one ended.
  void endScript() {
    ends.push_back(text.size());
    text += '\n';
  }
  // Appends the other batch's scripts after these.
  void appendAll(const ScriptBatch& other) {
    const std::size_t offset = text.size();
    text += other.text;
    ends.reserve(ends.size() + other.ends.size());
    for (const std::size_t end : other.ends) ends.push_back(offset + end);
  }
  // Removes the first `count` scripts.
  void eraseFront(std::size_t count) {
    if (count == 0) return;
    const std::size_t cut = ends[count - 1] + 1;
    text.erase(0, cut);
    ends.erase(ends.begin(), ends.begin() + static_cast<std::ptrdiff_t>(count));
    for (std::size_t& end : ends) end -= cut;
  }
  // Empty again, keeping the buffers for reuse.
  void clear() {
    text.clear();
    ends.clear();
  }
};

}  // namespace qvx
