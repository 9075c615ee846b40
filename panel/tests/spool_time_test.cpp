// The spool date text: format, time zone, and the buffer-size checks of the
// variant for new callers.
#include "spool_time.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

namespace {

// Sets TZ for one test and puts the old value back.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
  }
  ~TimeZone() {
    if (old_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", old_.c_str(), 1);
    }
  }

 private:
  std::string old_;
};

// 2026-12-06 23:50:36 UTC.
constexpr std::time_t kMoment = 1796601036;

TEST(SpoolTime, FormatsInTheSystemZone) {
  struct Case {
    const char* zone;
    const char* text;
  };
  for (const Case& c : {Case{"JST-9", "Mon, 07 Dec 2026 08:50:36 +0900"},
                        Case{"UTC0", "Sun, 06 Dec 2026 23:50:36 +0000"},
                        Case{"NST+3:30", "Sun, 06 Dec 2026 20:20:36 -0330"}}) {
    TimeZone zone(c.zone);
    char buffer[64];
    char* end = formatSpoolTime(kMoment, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, c.text) << c.zone;
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end, buffer + 31);
    EXPECT_EQ(*end, '\0');
  }
}

TEST(SpoolTime, SizedVariantRefusesABufferTooSmall) {
  TimeZone zone("UTC0");
  char buffer[40];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(formatSpoolTime(kMoment, buffer, 31), nullptr);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[31], 'x');
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(formatSpoolTime(kMoment, buffer, 32), buffer + 31);
  EXPECT_EQ(buffer[32], 'x');
  EXPECT_EQ(formatSpoolTime(kMoment, nullptr, 32), nullptr);
  EXPECT_EQ(formatSpoolTime(kMoment, buffer, 0), nullptr);
}

TEST(SpoolTime, CurrentTimeThroughBothEntryPoints) {
  const std::regex pattern(R"((Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4} \d\d:\d\d:\d\d [+-]\d{4})");
  char buffer[32];
  char* end = GetSpoolTime(buffer);
  EXPECT_TRUE(std::regex_match(buffer, pattern)) << buffer;
  EXPECT_EQ(end, buffer + 31);
  char sized[32];
  EXPECT_EQ(GetSpoolTimeInBuffer(sized, sizeof sized), sized + 31);
  EXPECT_TRUE(std::regex_match(sized, pattern)) << sized;
  char small[8];
  EXPECT_EQ(GetSpoolTimeInBuffer(small, sizeof small), nullptr);
  EXPECT_STREQ(small, "");
}

// The built plug-in exports both functions, though nothing in it calls them.
TEST(SpoolTime, ThePlugInExportsBothFunctions) {
  const std::string library = std::string(TINTPANEL_BUNDLE_DIR) + "/Contents/MacOS/TintPanel";
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto spoolTime = reinterpret_cast<char* (*)(char*)>(dlsym(handle, "GetSpoolTime"));
  auto sized = reinterpret_cast<char* (*)(char*, std::size_t)>(dlsym(handle, "GetSpoolTimeInBuffer"));
  ASSERT_NE(spoolTime, nullptr);
  ASSERT_NE(sized, nullptr);
  char buffer[32];
  EXPECT_EQ(spoolTime(buffer), buffer + 31);
  EXPECT_EQ(sized(buffer, 16), nullptr);
  EXPECT_STREQ(buffer, "");
  dlclose(handle);
}

}  // namespace
