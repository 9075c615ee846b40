#include "text_encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>
#include <vector>

#include "VemraPrintPdeLX4200COPDEChoice.h"
#include "ppd_adapter.h"
#include "ppd_fixture.h"

namespace {

TEST(EncodingTable, NamesFromTheLanguageEncodingKeyword) {
  EXPECT_EQ(encodingFromLanguageEncoding("ISOLatin1"), kStringEncodingISOLatin1);
  EXPECT_EQ(encodingFromLanguageEncoding("WindowsANSI"), kStringEncodingWindowsCP1252);
  EXPECT_EQ(encodingFromLanguageEncoding("JIS83-RKSJ"), kStringEncodingShiftJIS);
  EXPECT_EQ(encodingFromLanguageEncoding("UTF-8"), kStringEncodingUTF8);
  EXPECT_EQ(encodingFromLanguageEncoding("UTF8"), kStringEncodingUTF8);
  // Exact, case-sensitive comparison; anything else is Mac OS Roman.
  EXPECT_EQ(encodingFromLanguageEncoding("utf-8"), kStringEncodingMacOSRoman);
  EXPECT_EQ(encodingFromLanguageEncoding("isolatin1"), kStringEncodingMacOSRoman);
  EXPECT_EQ(encodingFromLanguageEncoding("MacStandard"), kStringEncodingMacOSRoman);
  EXPECT_EQ(encodingFromLanguageEncoding(""), kStringEncodingMacOSRoman);
}

TEST(EncodingTable, ReadsTheDescriptionsLangEncodingField) {
  ppd_file_t ppd{};
  EXPECT_EQ(getEncodingFromPPD(nullptr), kStringEncodingMacOSRoman);
  // A null value is what libcups leaves for a file without the keyword, whose
  // texts it has converted to UTF-8 all the same.
  EXPECT_EQ(getEncodingFromPPD(&ppd), kStringEncodingUTF8);
  char latin1[] = "ISOLatin1";
  ppd.lang_encoding = latin1;
  EXPECT_EQ(getEncodingFromPPD(&ppd), kStringEncodingISOLatin1);
  char lower[] = "utf-8";
  ppd.lang_encoding = lower;
  EXPECT_EQ(getEncodingFromPPD(&ppd), kStringEncodingMacOSRoman);
}

TEST(TextConversion, EachEncodingToUTF8) {
  EXPECT_EQ(stringWithEncoding("Caf\xe9", kStringEncodingISOLatin1), "Café");
  EXPECT_EQ(stringWithEncoding("\x80 \x93x\x94", kStringEncodingWindowsCP1252), "€ “x”");
  EXPECT_EQ(stringWithEncoding("\x83J\x83\x89\x81[", kStringEncodingShiftJIS), "カラー");
  EXPECT_EQ(stringWithEncoding("Caf\x8e", kStringEncodingMacOSRoman), "Café");
  EXPECT_EQ(stringWithEncoding("Café", kStringEncodingUTF8), "Café");
  EXPECT_EQ(stringWithEncoding("", kStringEncodingUTF8), "");
  EXPECT_EQ(stringWithEncoding("Caf\xe9", 9999), "CafÈ");  // unknown number: Mac OS Roman
}

TEST(TextConversion, InvalidInputGivesNone) {
  EXPECT_FALSE(stringWithEncoding(nullptr, kStringEncodingUTF8));
  EXPECT_FALSE(stringWithEncoding("bad \xff\xfe", kStringEncodingUTF8));
  EXPECT_FALSE(stringWithEncoding("cut \xe3\x82", kStringEncodingUTF8));  // incomplete sequence
  EXPECT_FALSE(stringWithEncoding("lead \x81", kStringEncodingShiftJIS));
  EXPECT_FALSE(stringWithASCII("Caf\xc3\xa9"));
  EXPECT_EQ(stringWithASCII("Auto"), "Auto");
}

// UTF-8 and ASCII labels skip iconv; what they accept must be what iconv
// accepts, byte for byte, except that glibc's iconv lets through sequences
// above U+10FFFF, which are no Unicode and are refused.
TEST(TextConversion, ShortcutsAgreeWithIconv) {
  auto throughIconv = [](const std::string& text, const char* from) -> std::optional<std::string> {
    iconv_t cd = iconv_open("UTF-8", from);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    char* dst = out.data();
    size_t inLeft = text.size(), outLeft = out.size();
    size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
  };
  const std::vector<std::string> samples = {
      "plain", "Caf\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80", "\xf4\x8f\xbf\xbf", "\xef\xbf\xbf",
      "\xc0\xaf", "\xc1\xbf", "\xe0\x80\xaf", "\xe0\x9f\xbf", "\xed\xa0\x80", "\xed\xbf\xbf",
      "\xf0\x80\x80\xaf", "\xff", "\x80", "\xc3", "\xe2\x82",
      "a\xc3\xa9\xc3", "\xc3\x28", "\xe2\x28\xa1", "\x7f\x01"};
  for (const std::string& sample : samples) {
    EXPECT_EQ(stringWithEncoding(sample.c_str(), kStringEncodingUTF8), throughIconv(sample, "UTF-8"))
        << testing::PrintToString(sample);
  }
  for (const char* beyondUnicode : {"\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xf7\xbf\xbf\xbf"})
    EXPECT_FALSE(stringWithEncoding(beyondUnicode, kStringEncodingUTF8)) << beyondUnicode;
  const std::string ascii = "Color Mode: \x01\x7f ~\\";
  for (StringEncoding e : {kStringEncodingISOLatin1, kStringEncodingWindowsCP1252, kStringEncodingMacOSRoman}) {
    EXPECT_EQ(stringWithEncoding(ascii.c_str(), e), throughIconv(ascii, iconvNameOfEncoding(e))) << e;
  }
}

TEST(TextConversion, LongTextCrossesTheBufferBoundary) {
  std::string latin1(1000, '\xe9');
  auto utf8 = stringWithEncoding(latin1.c_str(), kStringEncodingISOLatin1);
  ASSERT_TRUE(utf8);
  EXPECT_EQ(utf8->size(), 2000u);
  EXPECT_EQ(utf8->substr(1996), "éé");
}

// Labels with non-ASCII characters in files of each encoding, opened by
// libcups: the panel's conversion must give the text a person wrote.
struct EncodedFile {
  std::string name;
  std::optional<std::string> keyword;
  std::string optionLabel;
  std::string choiceLabel;
  std::string expectedOption;
  std::string expectedChoice;
};

class RealFileEncodings : public ::testing::TestWithParam<EncodedFile> {};

TEST_P(RealFileEncodings, LabelsComeOutRight) {
  const EncodedFile& f = GetParam();
  testppd::Description d;
  d.languageEncoding = f.keyword;
  d.options.push_back({"VMCMode", f.optionLabel, "PickOne", {{"Auto", f.choiceLabel}, {"Gray", "Gray"}}, "Auto"});
  testppd::OpenPPD file(d);
  ASSERT_NE(file.get(), nullptr);
  const StringEncoding encoding = getEncodingFromPPD(file.get());
  ppd_option_t* option = ppdx::findOption(file.get(), "VMCMode");
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(stringWithEncoding(option->text, encoding), f.expectedOption);
  VemraPrintPdeLX4200COPDEChoice choice(&option->choices[0]);
  EXPECT_EQ(choice.userTitle(encoding), f.expectedChoice);
  EXPECT_EQ(choice.ppdTitle(), "Auto");
  EXPECT_EQ(stringWithEncoding(file.get()->modelname, encoding), "Vemra LX4200");
}

INSTANTIATE_TEST_SUITE_P(
    EachEncoding, RealFileEncodings,
    ::testing::Values(
        EncodedFile{"ISOLatin1", "ISOLatin1", "Farbe \xe9t\xe9", "Gr\xfc\xdf", "Farbe été", "Grüß"},
        EncodedFile{"WindowsANSI", "WindowsANSI", "Euro \x80", "\x93q\x94", "Euro €", "“q”"},
        EncodedFile{"ShiftJIS", "JIS83-RKSJ", "\x83J\x83\x89\x81[", "\x8e\xa9\x93\xae", "カラー", "自動"},
        EncodedFile{"UTF_8", "UTF-8", "Café ü", "Ñandú", "Café ü", "Ñandú"},
        EncodedFile{"UTF8", "UTF8", "Café ü", "Ñandú", "Café ü", "Ñandú"},
        // A keyword the table does not list: libcups still converts it.
        EncodedFile{"MacStandard", "MacStandard", "Caf\x8e", "\x8a", "Café", "ä"},
        // No keyword: libcups reads the file as ISO Latin 1.
        EncodedFile{"NoKeyword", std::nullopt, "Caf\xe9", "\xfc", "Café", "ü"}),
    [](const ::testing::TestParamInfo<EncodedFile>& info) { return info.param.name; });

TEST(RealFileEncodings, LibcupsReportsUTF8AndTheKeywordStaysReadable) {
  testppd::Description d;
  d.languageEncoding = "WindowsANSI";
  d.options.push_back(testppd::colorMode());
  testppd::OpenPPD file(d);
  ASSERT_NE(file.get(), nullptr);
  ASSERT_NE(file.get()->lang_encoding, nullptr);
  EXPECT_STREQ(file.get()->lang_encoding, "UTF-8");
  ppd_attr_t* attr = ppdx::findAttr(file.get(), "LanguageEncoding", nullptr);
  ASSERT_NE(attr, nullptr);
  EXPECT_STREQ(attr->value, "WindowsANSI");

  d.languageEncoding.reset();
  testppd::OpenPPD bare(d);
  ASSERT_NE(bare.get(), nullptr);
  EXPECT_EQ(bare.get()->lang_encoding, nullptr);
}

TEST(RealFileEncodings, BytesInvalidInTheirEncodingLeaveNoTitle) {
  testppd::Description d;
  d.languageEncoding = "UTF-8";
  d.options.push_back({"VMCMode", "Mode", "PickOne", {{"Auto", "bad \xff\xfe"}}, "Auto"});
  testppd::OpenPPD file(d);
  ASSERT_NE(file.get(), nullptr);
  ppd_option_t* option = ppdx::findOption(file.get(), "VMCMode");
  ASSERT_NE(option, nullptr);
  VemraPrintPdeLX4200COPDEChoice choice(&option->choices[0]);
  EXPECT_FALSE(choice.userTitle(getEncodingFromPPD(file.get())));
}

}  // namespace
