// The image-quality choices as seen on screen: each effect on single
// colours, and which print settings turn which effect on.
#include "image_effects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

namespace pdehost::preview {
namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};
void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << c.r << ',' << c.g << ',' << c.b << ')'; }

Rgb afterEffects(Rgb in, const ImageEffects& effects) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  auto* pixel = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image));
  *pixel = std::uint32_t(in.r) << 16 | std::uint32_t(in.g) << 8 | std::uint32_t(in.b);
  cairo_surface_mark_dirty(image);
  applyEffects(image, effects);
  const std::uint32_t p = *pixel;
  cairo_surface_destroy(image);
  return {int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff)};
}

ImageEffects with(bool grayscale, bool tonerSave, bool pureBlack, NeutralGray neutralGray) {
  return {grayscale, tonerSave, pureBlack, neutralGray};
}

struct PixelCase {
  const char* name;
  ImageEffects effects;
  Rgb in, out;
};
void PrintTo(const PixelCase& c, std::ostream* out) { *out << c.name; }

class EffectOnPixel : public testing::TestWithParam<PixelCase> {};

TEST_P(EffectOnPixel, GivesTheExpectedColour) {
  EXPECT_EQ(afterEffects(GetParam().in, GetParam().effects), GetParam().out);
}

constexpr Rgb kRed{230, 25, 25}, kNearGrey{120, 127, 119}, kDarkGreenish{20, 28, 18}, kWhite{255, 255, 255};

INSTANTIATE_TEST_SUITE_P(
    Effects, EffectOnPixel,
    testing::Values(
        PixelCase{"none_keeps_red", {}, kRed, kRed},
        PixelCase{"grayscale_turns_red_to_its_lightness", with(true, false, false, NeutralGray::Off), kRed, {87, 87, 87}},
        PixelCase{"toner_save_lightens_red", with(false, true, false, NeutralGray::Off), kRed, {240, 117, 117}},
        PixelCase{"toner_save_keeps_white", with(false, true, false, NeutralGray::Off), kWhite, kWhite},
        PixelCase{"toner_save_after_grayscale_stays_grey", with(true, true, false, NeutralGray::Off), kRed, {154, 154, 154}},
        PixelCase{"neutral_gray_off_keeps_a_tint", {}, kNearGrey, kNearGrey},
        PixelCase{"neutral_gray_light_greys_a_slight_tint", with(false, false, false, NeutralGray::Light), kNearGrey, {124, 124, 124}},
        PixelCase{"neutral_gray_strong_leaves_red", with(false, false, false, NeutralGray::Strong), kRed, kRed},
        PixelCase{"black_only_leaves_a_light_tint", with(false, false, false, NeutralGray::BlackOnly), kNearGrey, kNearGrey},
        PixelCase{"black_only_greys_a_dark_tint", with(false, false, false, NeutralGray::BlackOnly), kDarkGreenish, {24, 24, 24}},
        PixelCase{"pure_black_blackens_near_black", with(false, false, true, NeutralGray::Off), kDarkGreenish, {0, 0, 0}},
        PixelCase{"pure_black_leaves_grey", with(false, false, true, NeutralGray::Off), kNearGrey, kNearGrey}),
    [](const testing::TestParamInfo<PixelCase>& info) { return std::string(info.param.name); });

TEST(EffectsFromSettings, ReadsThePanelsChoiceKeywords) {
  const std::map<std::string, std::string> settings = {
      {"VMCMode", "Gray"}, {"VMSaveToner", "True"}, {"VMCPureB", "False"}, {"VMCNGray", "Medium"}};
  auto lookUp = [&](const std::string& keyword) -> std::optional<std::string> {
    auto found = settings.find(keyword);
    return found == settings.end() ? std::nullopt : std::optional(found->second);
  };
  EXPECT_EQ(effectsFromSettings(lookUp), with(true, true, false, NeutralGray::Medium));
  EXPECT_EQ(effectsFromSettings([](const std::string&) { return std::optional<std::string>("Bogus"); }), ImageEffects{});
  EXPECT_EQ(effectsFromSettings([](const std::string&) { return std::optional<std::string>(); }), ImageEffects{});
}

}  // namespace
}  // namespace pdehost::preview
