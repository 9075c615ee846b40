#include "bridge/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvx {
namespace {

struct Collector {
  LineSplitter splitter;
  std::vector<std::string> lines;
  explicit Collector(std::size_t max = LineSplitter::kDefaultMaxLineBytes) : splitter(max) {}
  void feed(std::string_view chunk) {
    splitter.append(chunk, [this](std::string_view line) { lines.emplace_back(line); });
  }
};

using Lines = std::vector<std::string>;

TEST(LineSplitter, JoinsALineSplitAcrossChunks) {
  Collector c;
  c.feed("@STEP a\n@ST");
  EXPECT_EQ(c.lines, Lines({"@STEP a"}));
  c.feed("EP b\n");
  EXPECT_EQ(c.lines, Lines({"@STEP a", "@STEP b"}));
  EXPECT_EQ(c.splitter.pendingBytes(), 0u);
}

TEST(LineSplitter, OnlyTheLineFeedEndsALine) {
  Collector c;
  c.feed("a\r\n\nb\rc\n");
  EXPECT_EQ(c.lines, Lines({"a\r", "", "b\rc"}));
}

TEST(LineSplitter, AnUnfinishedLastLineIsKeptNotDelivered) {
  Collector c;
  c.feed("x\n@DONE");
  EXPECT_EQ(c.lines, Lines({"x"}));
  EXPECT_EQ(c.splitter.pendingBytes(), 5u);
}

TEST(LineSplitter, ByteByByteGivesTheSameLines) {
  const std::string text = "one\ntwo\r\n\nthree \xff\nfour";
  Collector whole;
  whole.feed(text);
  Collector bytes;
  for (char ch : text) bytes.feed(std::string_view(&ch, 1));
  EXPECT_EQ(bytes.lines, whole.lines);
  EXPECT_EQ(bytes.lines, Lines({"one", "two\r", "", "three \xff"}));
}

TEST(LineSplitter, KeepsNulBytes) {
  Collector c;
  c.feed(std::string_view("a\0b\n", 4));
  ASSERT_EQ(c.lines.size(), 1u);
  EXPECT_EQ(c.lines[0], std::string("a\0b", 3));
}

TEST(LineSplitter, LinesOfSeveralMegabytesArrive) {
  Collector c;
  const std::string big(5u << 20, 'x');
  for (std::size_t i = 0; i < big.size(); i += 65536) c.feed(std::string_view(big).substr(i, 65536));
  c.feed("\nnext\n");
  ASSERT_EQ(c.lines.size(), 2u);
  EXPECT_EQ(c.lines[0], big);
  EXPECT_EQ(c.lines[1], "next");
}

TEST(LineSplitter, AnOverlongLineIsDroppedWholeAndTheNextOneArrives) {
  Collector c(8);
  c.feed("12345");
  c.feed("6789");        // past the limit while pending
  c.feed("0123\nok\n");  // the rest of the overlong line is skipped up to its line feed
  c.feed("abcdefghijk\nfine\n");  // overlong inside one chunk
  c.feed("12345678\n");           // exactly at the limit
  EXPECT_EQ(c.lines, Lines({"ok", "fine", "12345678"}));
  EXPECT_EQ(c.splitter.pendingBytes(), 0u);
}

}  // namespace
}  // namespace qvx
