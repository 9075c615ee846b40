// A layout's fixed texts in the bundle's language, the way a localised
// bundle shows its layouts: labels, titles, box titles, tab labels, menu
// items and segments, each looked up by the text before any colon.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace toolkit {

class View;

// The translation of `key`, or nothing when no table has one.
using TextLookup = std::function<std::optional<std::string>(const std::string& key)>;

// `text` translated: "Image Type:" looks up "Image Type" and keeps the
// colon and what follows it. Leading blanks are not part of the key. A text
// without a translation, or with nothing before its colon, stays as it is.
std::string localizedLabel(const std::string& text, const TextLookup& lookup);

// Translates every fixed text in `root` and the views inside it.
void localizeLayoutTexts(View& root, const TextLookup& lookup);

}  // namespace toolkit
