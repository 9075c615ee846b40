#include "toolkit/layout_loader.h"

#include <algorithm>
#include <array>
#include <span>
#include <unordered_set>

#include "json_reader.h"
#include "toolkit/controls.h"
#include "toolkit/whole_file.h"

namespace toolkit {
namespace {

using json::Value;

constexpr int kMaxDepth = 64;
constexpr std::uintmax_t kMaxLayoutFileSize = 4 * 1024 * 1024;

struct Connection {
  std::string_view outlet;  // points into the layout text
  std::shared_ptr<View> view;
};

// The keys every view may have, and those every control adds.
using Keys = std::span<const std::string_view>;
constexpr std::string_view kViewKeys[] = {"class", "frame", "hidden", "subviews", "outlet"};
constexpr std::string_view kControlKeys[] = {"action", "enabled", "tag"};

bool contains(Keys keys, std::string_view key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Builds views from nodes; the first fault stops it with a message naming
// the node's place in the file as a JSON pointer ("/views/0/subviews/3").
// The place is kept in one string that grows and shrinks as the builder
// descends, so a well-formed layout costs no text per node.
class Builder {
 public:
  explicit Builder(LayoutOwner* owner) : owner_(owner) { path_.reserve(128); }

  // Appends a step to the current place for the lifetime of the scope.
  class Step {
   public:
    Step(std::string& path, std::string_view name) : path_(path), size_(path.size()) {
      path_ += '/';
      path_ += name;
    }
    Step(std::string& path, std::string_view name, std::size_t index) : Step(path, name) {
      path_ += '/';
      path_ += std::to_string(index);
    }
    ~Step() { path_.resize(size_); }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

   private:
    std::string& path_;
    std::size_t size_;
  };

  // One row per class a node may name: what builds it from the node and the
  // keys it takes besides those of every view (and every control).
  struct ClassRow {
    std::string_view name;
    Keys keys;
    std::shared_ptr<View> (Builder::*build)(const Value& value, int depth);
  };

  std::shared_ptr<View> node(const Value& value, int depth);

  bool subviews(const Value& value, View& parent, int depth) {
    return eachElement(value, "subviews", "views", [&](const Value& element) {
      auto child = node(element, depth + 1);
      if (!child) return false;
      parent.addSubview(child);
      return true;
    });
  }

  const std::string& error() const { return error_; }
  std::vector<Connection>& connections() { return connections_; }
  std::vector<std::string>& warnings() { return warnings_; }
  std::string& path() { return path_; }

  // The current place followed by `suffix`, "/" for the document itself.
  std::string place(std::string_view suffix) const {
    std::string where = path_ + std::string(suffix);
    return where.empty() ? std::string("/") : where;
  }
  std::shared_ptr<View> fail(std::string_view suffix, const std::string& what) {
    failed(suffix, what);
    return nullptr;
  }
  bool failed(std::string_view suffix, const std::string& what) {
    if (error_.empty()) error_ = place(suffix) + ": " + what;
    return false;
  }

  // The class builders, each of the shape ClassRow::build takes.
  std::shared_ptr<View> plainView(const Value&, int) { return std::make_shared<View>(); }
  std::shared_ptr<View> box(const Value& value, int);
  std::shared_ptr<View> imageView(const Value& value, int);
  std::shared_ptr<View> button(const Value& value, int);
  std::shared_ptr<View> popup(const Value& value, int);
  std::shared_ptr<View> slider(const Value& value, int);
  std::shared_ptr<View> textField(const Value& value, int);
  std::shared_ptr<View> tabView(const Value& value, int depth);
  std::shared_ptr<View> segmented(const Value& value, int);

 private:
  static std::string key(const char* name) { return std::string("/") + name; }

  // The member `name` when it is there: handed to `set` when `is` accepts
  // it, a fault saying what was `expected` otherwise.
  template <typename Set>
  bool member(const Value& value, const char* name, bool (Value::*is)() const, const char* expected, Set set) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!(it->*is)()) return failed(key(name), expected);
    set(*it);
    return true;
  }
  template <typename Set>
  bool string(const Value& value, const char* name, Set set) {
    return member(value, name, &Value::isString, "expected a string",
                  [&](const Value& it) { set(std::string(it.text)); });
  }
  template <typename Set>
  bool boolean(const Value& value, const char* name, Set set) {
    return member(value, name, &Value::isBoolean, "expected true or false", [&](const Value& it) { set(it.boolean); });
  }
  template <typename Set>
  bool number(const Value& value, const char* name, Set set) {
    return member(value, name, &Value::isNumber, "expected a number", [&](const Value& it) { set(it.number()); });
  }
  template <typename Set>
  bool integer(const Value& value, const char* name, Set set) {
    return member(value, name, &Value::isInteger, "expected an integer", [&](const Value& it) { set(it.integer); });
  }
  // A selection by index: `select` answers whether the index names one.
  template <typename Select>
  bool index(const Value& value, const char* name, const char* expected, Select select) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!it->isInteger() || !select(it->integer)) return failed(key(name), expected);
    return true;
  }

  // Each element of the array `name` (when there), at its own place; stops
  // at the first element `each` refuses.
  template <typename Each>
  bool eachElement(const Value& value, const char* name, std::string_view what, Each each) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!it->isArray()) return failed(key(name), "expected an array of " + std::string(what));
    for (std::size_t i = 0; i < it->elements.size(); ++i) {
      Step step(path_, name, i);
      if (!each(it->elements[i])) return false;
    }
    return true;
  }

  // A list of popup items or segments: each a plain text, or an object with
  // the text under `textKey` and "enabled".
  struct Entry {
    std::string text;
    bool enabled = true;
  };
  template <typename Add>
  bool entries(const Value& value, const char* name, const char* textKey, Add add) {
    const std::string k(textKey);
    return eachElement(value, name, name, [&](const Value& element) {
      if (element.isString()) {
        add(Entry{std::string(element.text), true});
        return true;
      }
      if (!element.isObject()) return failed("", "expected a " + k + " or {\"" + k + "\", \"enabled\"}");
      Entry entry;
      for (const json::Member& f : element.members) {
        if (f.key == textKey && f.value.isString()) {
          entry.text = std::string(f.value.text);
        } else if (f.key == "enabled" && f.value.isBoolean()) {
          entry.enabled = f.value.boolean;
        } else {
          return failed("/" + std::string(f.key), "expected \"" + k + "\" (a string) and \"enabled\" (true or false)");
        }
      }
      add(std::move(entry));
      return true;
    });
  }

  bool applyControlKeys(const Value& value, Control& control);

  std::optional<Rect> rect(const Value& value);
  std::optional<Image> image(const Value& value);
  // The image under `name` (when there), at its own place.
  template <typename Set>
  bool imageMember(const Value& value, const char* name, Set set) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    Step step(path_, name);
    auto img = image(*it);
    if (!img) return false;
    set(*img);
    return true;
  }
  static std::optional<Color> parseColor(std::string_view text);

  LayoutOwner* owner_;
  std::string path_;
  std::string error_;
  std::unordered_set<std::string_view> outlets_;
  std::vector<Connection> connections_;
  std::vector<std::string> warnings_;
};

constexpr std::string_view kBoxKeys[] = {"title"};
constexpr std::string_view kImageViewKeys[] = {"image"};
constexpr std::string_view kButtonKeys[] = {"buttonType", "title", "state", "image", "alternateImage"};
constexpr std::string_view kPopUpKeys[] = {"items", "selectedIndex", "autoenablesItems"};
constexpr std::string_view kSliderKeys[] = {"minValue", "maxValue", "value", "numberOfTickMarks",
                                            "allowsTickMarkValuesOnly"};
constexpr std::string_view kTextFieldKeys[] = {"stringValue", "editable", "selectable", "textColor"};
constexpr std::string_view kTabViewKeys[] = {"tabs", "selectedIndex"};
constexpr std::string_view kSegmentedKeys[] = {"segments", "selectedSegment"};

constexpr Builder::ClassRow kClasses[] = {
    {"View", {}, &Builder::plainView},
    {"Button", kButtonKeys, &Builder::button},
    {"PopUpButton", kPopUpKeys, &Builder::popup},
    {"Slider", kSliderKeys, &Builder::slider},
    {"TextField", kTextFieldKeys, &Builder::textField},
    {"Box", kBoxKeys, &Builder::box},
    {"TabView", kTabViewKeys, &Builder::tabView},
    {"SegmentedControl", kSegmentedKeys, &Builder::segmented},
    {"ImageView", kImageViewKeys, &Builder::imageView},
};

std::shared_ptr<View> Builder::node(const Value& value, int depth) {
  if (depth > kMaxDepth) return fail("", "views nested too deeply");
  if (!value.isObject()) return fail("", "a view must be a JSON object");
  const Value* cls = value.find("class");
  if (cls == nullptr || !cls->isString()) return fail("", "\"class\" (a string) is missing");
  const std::string_view name = cls->text;
  const auto* row = std::find_if(std::begin(kClasses), std::end(kClasses),
                                 [&](const ClassRow& each) { return each.name == name; });
  if (row == std::end(kClasses)) return fail("/class", "unknown class \"" + std::string(name) + "\"");

  std::shared_ptr<View> view = (this->*row->build)(value, depth);
  if (!view) return nullptr;
  auto* control = dynamic_cast<Control*>(view.get());
  if (control != nullptr && !applyControlKeys(value, *control)) return nullptr;
  for (const json::Member& each : value.members) {
    if (!contains(kViewKeys, each.key) && !contains(row->keys, each.key) &&
        !(control != nullptr && contains(kControlKeys, each.key)))
      return fail("/" + std::string(each.key), "unknown key for a " + std::string(name));
  }
  if (const Value* it = value.find("frame")) {
    Step step(path_, "frame");
    auto r = rect(*it);
    if (!r) return nullptr;
    view->setFrame(*r);
  }
  if (!boolean(value, "hidden", [&](bool b) { view->setHidden(b); })) return nullptr;
  if (!subviews(value, *view, depth)) return nullptr;
  if (const Value* it = value.find("outlet")) {
    if (!it->isString() || it->text.empty()) return fail("/outlet", "expected an outlet name");
    if (!outlets_.insert(it->text).second)
      return fail("/outlet", "outlet \"" + std::string(it->text) + "\" is given twice");
    connections_.push_back({it->text, view});
  }
  return view;
}

bool Builder::applyControlKeys(const Value& value, Control& control) {
  if (!boolean(value, "enabled", [&](bool b) { control.setEnabled(b); })) return false;
  if (!integer(value, "tag", [&](std::int64_t tag) { control.setTag(tag); })) return false;
  if (const Value* it = value.find("action")) {
    if (!it->isString() || it->text.empty()) return failed("/action", "expected a selector name");
    control.setAction(std::string(it->text));
    if (owner_ != nullptr) {
      control.setTarget(owner_);
      if (!owner_->respondsToAction(control.action()))
        warnings_.push_back(place("") + ": the owner has no handler \"" + control.action() + "\"");
    }
  }
  return true;
}

std::optional<Rect> Builder::rect(const Value& value) {
  if (!value.isArray() || value.elements.size() != 4) {
    failed("", "expected [x, y, width, height]");
    return std::nullopt;
  }
  for (const Value& n : value.elements) {
    if (!n.isNumber()) {
      failed("", "expected [x, y, width, height] of numbers");
      return std::nullopt;
    }
  }
  const auto& e = value.elements;
  Rect r{e[0].number(), e[1].number(), e[2].number(), e[3].number()};
  if (r.width < 0 || r.height < 0) {
    failed("", "width and height must not be negative");
    return std::nullopt;
  }
  return r;
}

std::optional<Image> Builder::image(const Value& value) {
  if (!value.isObject()) {
    failed("", "expected {\"icon\": name, \"size\": [width, height]}");
    return std::nullopt;
  }
  Image img;
  for (const json::Member& f : value.members) {
    const Value& v = f.value;
    if (f.key == "icon" && v.isString() && !v.text.empty()) {
      img.iconName = std::string(v.text);
    } else if (f.key == "size" && v.isArray() && v.elements.size() == 2 && v.elements[0].isNumber() &&
               v.elements[1].isNumber()) {
      img.size = {v.elements[0].number(), v.elements[1].number()};
    } else {
      failed("/" + std::string(f.key), "expected \"icon\" (a name) and \"size\" ([width, height])");
      return std::nullopt;
    }
  }
  if (img.iconName.empty()) {
    failed("", "\"icon\" is missing");
    return std::nullopt;
  }
  return img;
}

std::shared_ptr<View> Builder::box(const Value& value, int) {
  auto box = std::make_shared<Box>();
  if (!string(value, "title", [&](std::string s) { box->setTitle(std::move(s)); })) return nullptr;
  return box;
}

std::shared_ptr<View> Builder::imageView(const Value& value, int) {
  auto view = std::make_shared<ImageView>();
  if (!imageMember(value, "image", [&](const Image& img) { view->setImage(img); })) return nullptr;
  return view;
}

std::shared_ptr<View> Builder::button(const Value& value, int) {
  auto b = std::make_shared<Button>();
  if (const Value* it = value.find("buttonType")) {
    static constexpr std::array<std::pair<std::string_view, ButtonType>, 3> types = {
        {{"push", ButtonType::push}, {"toggle", ButtonType::toggle}, {"checkbox", ButtonType::checkbox}}};
    auto type = std::find_if(types.begin(), types.end(),
                             [&](const auto& t) { return it->isString() && t.first == it->text; });
    if (type == types.end()) return fail("/buttonType", "expected \"push\", \"toggle\" or \"checkbox\"");
    b->setButtonType(type->second);
  }
  if (!string(value, "title", [&](std::string s) { b->setTitle(std::move(s)); })) return nullptr;
  if (const Value* it = value.find("state")) {
    if (!it->isInteger() || (it->integer != 0 && it->integer != 1)) return fail("/state", "expected 0 or 1");
    b->setState(it->integer);
  }
  if (!imageMember(value, "image", [&](const Image& img) { b->setImage(img); }) ||
      !imageMember(value, "alternateImage", [&](const Image& img) { b->setAlternateImage(img); }))
    return nullptr;
  return b;
}

std::shared_ptr<View> Builder::popup(const Value& value, int) {
  auto p = std::make_shared<PopUpButton>();
  if (!entries(value, "items", "title",
               [&](Entry e) { p->addItem(MenuItem{std::move(e.text), e.enabled, {}}); }) ||
      !index(value, "selectedIndex", "expected -1 or the index of an item",
             [&](std::int64_t i) { return p->selectItemAtIndex(i); }) ||
      !boolean(value, "autoenablesItems", [&](bool b) { p->setAutoenablesItems(b); }))
    return nullptr;
  return p;
}

std::shared_ptr<View> Builder::slider(const Value& value, int) {
  auto s = std::make_shared<Slider>();
  double lo = 0, hi = 1, v = 0;
  if (!number(value, "minValue", [&](double d) { lo = d; }) ||
      !number(value, "maxValue", [&](double d) { hi = d; }) || !number(value, "value", [&](double d) { v = d; }))
    return nullptr;
  if (lo > hi) return fail("/maxValue", "below \"minValue\"");
  if (v < lo || v > hi) return fail("/value", "outside the slider's range");
  s->setRange(lo, hi);
  s->setDoubleValue(v);
  if (!integer(value, "numberOfTickMarks", [&](std::int64_t n) { s->setNumberOfTickMarks(n); }) ||
      !boolean(value, "allowsTickMarkValuesOnly", [&](bool b) { s->setAllowsTickMarkValuesOnly(b); }))
    return nullptr;
  return s;
}

std::shared_ptr<View> Builder::textField(const Value& value, int) {
  auto t = std::make_shared<TextField>();
  if (!string(value, "stringValue", [&](std::string s) { t->setStringValue(std::move(s)); }) ||
      !boolean(value, "editable", [&](bool b) { t->setEditable(b); }) ||
      !boolean(value, "selectable", [&](bool b) { t->setSelectable(b); }))
    return nullptr;
  if (const Value* it = value.find("textColor")) {
    auto color = it->isString() ? parseColor(it->text) : std::nullopt;
    if (!color) return fail("/textColor", "expected \"black\", \"grey\" or \"#rrggbb\"");
    t->setTextColor(*color);
  }
  return t;
}

std::optional<Color> Builder::parseColor(std::string_view text) {
  if (text == "black") return Color::black();
  if (text == "grey" || text == "gray") return Color::grey();
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  unsigned bytes[3];
  for (int i = 0; i < 3; ++i) {
    unsigned v = 0;
    for (int j = 0; j < 2; ++j) {
      char c = text[static_cast<std::size_t>(1 + 2 * i + j)];
      int digit = (c >= '0' && c <= '9') ? c - '0'
                  : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                  : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                           : -1;
      if (digit < 0) return std::nullopt;
      v = v * 16 + static_cast<unsigned>(digit);
    }
    bytes[i] = v;
  }
  return Color{static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1]),
               static_cast<std::uint8_t>(bytes[2])};
}

std::shared_ptr<View> Builder::tabView(const Value& value, int depth) {
  auto tabs = std::make_shared<TabView>();
  const bool built = eachElement(value, "tabs", "tabs", [&](const Value& tab) {
    if (!tab.isObject()) return failed("", "a tab must be a JSON object");
    std::string label, identifier;
    auto content = std::make_shared<View>();
    for (const json::Member& f : tab.members) {
      if (f.key == "label" && f.value.isString()) {
        label = std::string(f.value.text);
      } else if (f.key == "identifier" && f.value.isString()) {
        identifier = std::string(f.value.text);
      } else if (f.key == "frame") {
        Step frame(path_, "frame");
        auto r = rect(f.value);
        if (!r) return false;
        content->setFrame(*r);
      } else if (f.key != "subviews") {
        return failed("/" + std::string(f.key), "a tab has \"label\", \"identifier\", \"frame\" and \"subviews\"");
      }
    }
    if (tabs->indexOfTabViewItemWithIdentifier(identifier) >= 0 && !identifier.empty())
      return failed("/identifier", "identifier \"" + identifier + "\" is given twice");
    if (!subviews(tab, *content, depth)) return false;
    tabs->addTabViewItem(std::make_shared<TabViewItem>(identifier, label, content));
    return true;
  });
  if (!built || !index(value, "selectedIndex", "expected the index of a tab",
                       [&](std::int64_t i) { return tabs->selectTabViewItemAtIndex(i); }))
    return nullptr;
  return tabs;
}

std::shared_ptr<View> Builder::segmented(const Value& value, int) {
  auto s = std::make_shared<SegmentedControl>();
  if (!entries(value, "segments", "label",
               [&](Entry e) { s->addSegment(Segment{std::move(e.text), e.enabled}); }) ||
      !index(value, "selectedSegment", "expected -1 or the index of a segment",
             [&](std::int64_t i) { return s->setSelectedSegment(i); }))
    return nullptr;
  return s;
}

}  // namespace

std::optional<LoadedLayout> loadLayoutFromString(std::string_view text, LayoutOwner* owner,
                                                 std::string* error, std::string_view sourceName) {
  auto report = [&](const std::string& what) -> std::optional<LoadedLayout> {
    if (error != nullptr) *error = std::string(sourceName) + ": " + what;
    return std::nullopt;
  };
  json::Document document;
  std::string fault;
  if (!json::read(text, document, &fault)) return report("not valid JSON: " + fault);
  const Value& root = document.root();
  if (!root.isObject()) return report("/: a layout must be a JSON object with \"views\"");
  for (const json::Member& member : root.members) {
    if (member.key != "views" && member.key != "name")
      return report("/" + std::string(member.key) + ": unknown key for a layout");
  }
  const Value* views = root.find("views");
  if (views == nullptr || !views->isArray()) return report("/views: expected an array of views");

  Builder builder(owner);
  LoadedLayout layout;
  layout.topLevelObjects.reserve(views->elements.size());
  for (std::size_t i = 0; i < views->elements.size(); ++i) {
    Builder::Step step(builder.path(), "views", i);
    auto view = builder.node(views->elements[i], 1);
    if (!view) return report(builder.error());
    layout.topLevelObjects.push_back(std::move(view));
  }
  // Only a whole, well-formed layout is connected to the owner.
  for (auto& connection : builder.connections()) {
    if (owner != nullptr && !owner->setOutlet(connection.outlet, connection.view))
      builder.warnings().push_back("the owner did not take the outlet \"" + std::string(connection.outlet) + "\"");
  }
  for (auto& warning : builder.warnings()) layout.warnings.push_back(std::string(sourceName) + ": " + warning);
  return layout;
}

std::optional<LoadedLayout> loadLayoutFromFile(const std::filesystem::path& path, LayoutOwner* owner,
                                               std::string* error) {
  // A panel reads its layout each time it is created.
  const auto text = readWholeFile(path, error, {kMaxLayoutFileSize, "larger than a layout can be", "cannot be read"});
  if (!text) return std::nullopt;
  return loadLayoutFromString(*text, owner, error, path.filename().string());
}

}  // namespace toolkit
