#include "toolkit/layout_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <span>
#include <system_error>
#include <unordered_set>

#include "json_reader.h"
#include "toolkit/controls.h"

namespace toolkit {
namespace {

using json::Value;

constexpr int kMaxDepth = 64;
constexpr std::uintmax_t kMaxFileSize = 4 * 1024 * 1024;

struct Connection {
  std::string_view outlet;  // points into the layout text
  std::shared_ptr<View> view;
};

// The keys a node of a class may have besides the ones every view has.
using Keys = std::span<const std::string_view>;
constexpr std::string_view kViewKeys[] = {"class", "frame", "hidden", "subviews", "outlet"};
constexpr std::string_view kControlKeys[] = {"action", "enabled", "tag"};
constexpr std::string_view kBoxKeys[] = {"title"};
constexpr std::string_view kImageViewKeys[] = {"image"};
constexpr std::string_view kButtonKeys[] = {"buttonType", "title", "state", "image", "alternateImage"};
constexpr std::string_view kPopUpKeys[] = {"items", "selectedIndex", "autoenablesItems"};
constexpr std::string_view kSliderKeys[] = {"minValue", "maxValue", "value", "numberOfTickMarks",
                                            "allowsTickMarkValuesOnly"};
constexpr std::string_view kTextFieldKeys[] = {"stringValue", "editable", "selectable", "textColor"};
constexpr std::string_view kTabViewKeys[] = {"tabs", "selectedIndex"};
constexpr std::string_view kSegmentedKeys[] = {"segments", "selectedSegment"};

bool contains(Keys keys, std::string_view key) {
  for (std::string_view k : keys) {
    if (k == key) return true;
  }
  return false;
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

  std::shared_ptr<View> node(const Value& value, int depth) {
    if (depth > kMaxDepth) return fail("", "views nested too deeply");
    if (!value.isObject()) return fail("", "a view must be a JSON object");
    const Value* cls = value.find("class");
    if (cls == nullptr || !cls->isString()) return fail("", "\"class\" (a string) is missing");
    const std::string_view name = cls->text;

    std::shared_ptr<View> view;
    Keys classKeys;
    if (name == "View") {
      view = std::make_shared<View>();
    } else if (name == "Button") {
      view = button(value, classKeys);
    } else if (name == "PopUpButton") {
      view = popup(value, classKeys);
    } else if (name == "Slider") {
      view = slider(value, classKeys);
    } else if (name == "TextField") {
      view = textField(value, classKeys);
    } else if (name == "Box") {
      auto box = std::make_shared<Box>();
      classKeys = kBoxKeys;
      if (!string(value, "title", [&](std::string s) { box->setTitle(std::move(s)); })) return nullptr;
      view = box;
    } else if (name == "TabView") {
      view = tabView(value, classKeys, depth);
    } else if (name == "SegmentedControl") {
      view = segmented(value, classKeys);
    } else if (name == "ImageView") {
      auto imageView = std::make_shared<ImageView>();
      classKeys = kImageViewKeys;
      if (const Value* it = value.find("image")) {
        Step step(path_, "image");
        auto img = image(*it);
        if (!img) return nullptr;
        imageView->setImage(*img);
      }
      view = imageView;
    } else {
      return fail("/class", "unknown class \"" + std::string(name) + "\"");
    }
    if (!view) return nullptr;

    auto* control = dynamic_cast<Control*>(view.get());
    if (control != nullptr) {
      if (!boolean(value, "enabled", [&](bool b) { control->setEnabled(b); })) return nullptr;
      if (const Value* it = value.find("tag")) {
        if (!it->isInteger()) return fail("/tag", "expected an integer");
        control->setTag(it->integer);
      }
      if (const Value* it = value.find("action")) {
        if (!it->isString() || it->text.empty()) return fail("/action", "expected a selector name");
        control->setAction(std::string(it->text));
        if (owner_ != nullptr) {
          control->setTarget(owner_);
          if (!owner_->respondsToAction(control->action()))
            warnings_.push_back(place("") + ": the owner has no handler \"" + control->action() + "\"");
        }
      }
    }
    for (const json::Member& member : value.members) {
      if (!contains(kViewKeys, member.key) && !contains(classKeys, member.key) &&
          !(control != nullptr && contains(kControlKeys, member.key)))
        return fail("/" + std::string(member.key), "unknown key for a " + std::string(name));
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

  bool subviews(const Value& value, View& parent, int depth) {
    const Value* it = value.find("subviews");
    if (it == nullptr) return true;
    if (!it->isArray()) return failed("/subviews", "expected an array of views");
    for (std::size_t i = 0; i < it->elements.size(); ++i) {
      Step step(path_, "subviews", i);
      auto child = node(it->elements[i], depth + 1);
      if (!child) return false;
      parent.addSubview(child);
    }
    return true;
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

 private:
  static std::string key(const char* name) { return std::string("/") + name; }

  template <typename Set>
  bool string(const Value& value, const char* name, Set set) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!it->isString()) return failed(key(name), "expected a string");
    set(std::string(it->text));
    return true;
  }
  template <typename Set>
  bool boolean(const Value& value, const char* name, Set set) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!it->isBoolean()) return failed(key(name), "expected true or false");
    set(it->boolean);
    return true;
  }
  template <typename Set>
  bool number(const Value& value, const char* name, Set set) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!it->isNumber()) return failed(key(name), "expected a number");
    set(it->number());
    return true;
  }
  template <typename Set>
  bool integer(const Value& value, const char* name, Set set) {
    const Value* it = value.find(name);
    if (it == nullptr) return true;
    if (!it->isInteger()) return failed(key(name), "expected an integer");
    set(it->integer);
    return true;
  }

  std::optional<Rect> rect(const Value& value) {
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

  std::optional<Image> image(const Value& value) {
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

  std::shared_ptr<View> button(const Value& value, Keys& classKeys) {
    classKeys = kButtonKeys;
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
    for (const char* name : {"image", "alternateImage"}) {
      const Value* it = value.find(name);
      if (it == nullptr) continue;
      Step step(path_, name);
      auto img = image(*it);
      if (!img) return nullptr;
      if (std::string_view(name) == "image") b->setImage(*img); else b->setAlternateImage(*img);
    }
    return b;
  }

  std::shared_ptr<View> popup(const Value& value, Keys& classKeys) {
    classKeys = kPopUpKeys;
    auto p = std::make_shared<PopUpButton>();
    if (const Value* it = value.find("items")) {
      if (!it->isArray()) return fail("/items", "expected an array of items");
      for (std::size_t i = 0; i < it->elements.size(); ++i) {
        const Value& item = it->elements[i];
        Step step(path_, "items", i);
        if (item.isString()) {
          p->addItemWithTitle(std::string(item.text));
          continue;
        }
        if (!item.isObject()) return fail("", "expected a title or {\"title\", \"enabled\"}");
        MenuItem menuItem;
        for (const json::Member& f : item.members) {
          if (f.key == "title" && f.value.isString()) {
            menuItem.title = std::string(f.value.text);
          } else if (f.key == "enabled" && f.value.isBoolean()) {
            menuItem.enabled = f.value.boolean;
          } else {
            return fail("/" + std::string(f.key), "expected \"title\" (a string) and \"enabled\" (true or false)");
          }
        }
        p->addItem(std::move(menuItem));
      }
    }
    if (const Value* it = value.find("selectedIndex")) {
      if (!it->isInteger() || !p->selectItemAtIndex(it->integer))
        return fail("/selectedIndex", "expected -1 or the index of an item");
    }
    if (!boolean(value, "autoenablesItems", [&](bool b) { p->setAutoenablesItems(b); })) return nullptr;
    return p;
  }

  std::shared_ptr<View> slider(const Value& value, Keys& classKeys) {
    classKeys = kSliderKeys;
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

  std::shared_ptr<View> textField(const Value& value, Keys& classKeys) {
    classKeys = kTextFieldKeys;
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

  static std::optional<Color> parseColor(std::string_view text) {
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

  std::shared_ptr<View> tabView(const Value& value, Keys& classKeys, int depth) {
    classKeys = kTabViewKeys;
    auto tabs = std::make_shared<TabView>();
    if (const Value* it = value.find("tabs")) {
      if (!it->isArray()) return fail("/tabs", "expected an array of tabs");
      for (std::size_t i = 0; i < it->elements.size(); ++i) {
        const Value& tab = it->elements[i];
        Step step(path_, "tabs", i);
        if (!tab.isObject()) return fail("", "a tab must be a JSON object");
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
            if (!r) return nullptr;
            content->setFrame(*r);
          } else if (f.key != "subviews") {
            return fail("/" + std::string(f.key), "a tab has \"label\", \"identifier\", \"frame\" and \"subviews\"");
          }
        }
        if (tabs->indexOfTabViewItemWithIdentifier(identifier) >= 0 && !identifier.empty())
          return fail("/identifier", "identifier \"" + identifier + "\" is given twice");
        if (!subviews(tab, *content, depth)) return nullptr;
        tabs->addTabViewItem(std::make_shared<TabViewItem>(identifier, label, content));
      }
    }
    if (const Value* it = value.find("selectedIndex")) {
      if (!it->isInteger() || !tabs->selectTabViewItemAtIndex(it->integer))
        return fail("/selectedIndex", "expected the index of a tab");
    }
    return tabs;
  }

  std::shared_ptr<View> segmented(const Value& value, Keys& classKeys) {
    classKeys = kSegmentedKeys;
    auto s = std::make_shared<SegmentedControl>();
    if (const Value* it = value.find("segments")) {
      if (!it->isArray()) return fail("/segments", "expected an array of segments");
      for (std::size_t i = 0; i < it->elements.size(); ++i) {
        const Value& seg = it->elements[i];
        Step step(path_, "segments", i);
        if (seg.isString()) {
          s->addSegment({std::string(seg.text), true});
          continue;
        }
        if (!seg.isObject()) return fail("", "expected a label or {\"label\", \"enabled\"}");
        Segment segment;
        for (const json::Member& f : seg.members) {
          if (f.key == "label" && f.value.isString()) {
            segment.label = std::string(f.value.text);
          } else if (f.key == "enabled" && f.value.isBoolean()) {
            segment.enabled = f.value.boolean;
          } else {
            return fail("/" + std::string(f.key), "expected \"label\" (a string) and \"enabled\" (true or false)");
          }
        }
        s->addSegment(std::move(segment));
      }
    }
    if (const Value* it = value.find("selectedSegment")) {
      if (!it->isInteger() || !s->setSelectedSegment(it->integer))
        return fail("/selectedSegment", "expected -1 or the index of a segment");
    }
    return s;
  }

  LayoutOwner* owner_;
  std::string path_;
  std::string error_;
  std::unordered_set<std::string_view> outlets_;
  std::vector<Connection> connections_;
  std::vector<std::string> warnings_;
};

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
  auto refuse = [&](const std::string& why) -> std::optional<LoadedLayout> {
    if (error != nullptr) *error = path.string() + ": " + why;
    return std::nullopt;
  };
  // Plain system calls: a panel reads its layout each time it is created.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return refuse("cannot be read: " + std::generic_category().message(errno));
  struct stat info {};
  std::string text;
  int fault = 0;
  if (::fstat(fd, &info) != 0) {
    fault = errno;
  } else if (!S_ISREG(info.st_mode)) {
    fault = EISDIR;
  } else if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileSize) {
    ::close(fd);
    return refuse("larger than a layout can be");
  } else {
    text.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < text.size()) {
      ssize_t n = ::read(fd, text.data() + done, text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) fault = errno;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    text.resize(done);
  }
  ::close(fd);
  if (fault != 0) return refuse("cannot be read: " + std::generic_category().message(fault));
  return loadLayoutFromString(text, owner, error, path.filename().string());
}

}  // namespace toolkit
