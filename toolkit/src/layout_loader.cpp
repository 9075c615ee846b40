#include "toolkit/layout_loader.h"

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "toolkit/controls.h"

namespace toolkit {
namespace {

using nlohmann::json;

constexpr int kMaxDepth = 64;
constexpr std::uintmax_t kMaxFileSize = 4 * 1024 * 1024;

struct Connection {
  std::string outlet;
  std::shared_ptr<View> view;
};

// Builds views from nodes; the first fault stops it with a message naming
// the node's place in the file as a JSON pointer ("/views/0/subviews/3").
class Builder {
 public:
  explicit Builder(LayoutOwner* owner) : owner_(owner) {}

  std::shared_ptr<View> node(const json& value, const std::string& where, int depth) {
    if (depth > kMaxDepth) return fail(where, "views nested too deeply");
    if (!value.is_object()) return fail(where, "a view must be a JSON object");
    auto cls = value.find("class");
    if (cls == value.end() || !cls->is_string()) return fail(where, "\"class\" (a string) is missing");
    const std::string name = cls->get<std::string>();

    std::shared_ptr<View> view;
    std::set<std::string> known = {"class", "frame", "hidden", "subviews", "outlet"};
    const std::set<std::string> controlKeys = {"action", "enabled", "tag"};
    if (name == "View") {
      view = std::make_shared<View>();
    } else if (name == "Button") {
      view = button(value, where, known);
    } else if (name == "PopUpButton") {
      view = popup(value, where, known);
    } else if (name == "Slider") {
      view = slider(value, where, known);
    } else if (name == "TextField") {
      view = textField(value, where, known);
    } else if (name == "Box") {
      auto box = std::make_shared<Box>();
      known.insert("title");
      if (!string(value, "title", where, [&](std::string s) { box->setTitle(std::move(s)); })) return nullptr;
      view = box;
    } else if (name == "TabView") {
      view = tabView(value, where, known, depth);
    } else if (name == "SegmentedControl") {
      view = segmented(value, where, known);
    } else if (name == "ImageView") {
      auto imageView = std::make_shared<ImageView>();
      known.insert("image");
      if (auto it = value.find("image"); it != value.end()) {
        auto img = image(*it, where + "/image");
        if (!img) return nullptr;
        imageView->setImage(*img);
      }
      view = imageView;
    } else {
      return fail(where + "/class", "unknown class \"" + name + "\"");
    }
    if (!view) return nullptr;

    if (auto* control = dynamic_cast<Control*>(view.get())) {
      known.insert(controlKeys.begin(), controlKeys.end());
      if (!boolean(value, "enabled", where, [&](bool b) { control->setEnabled(b); })) return nullptr;
      if (auto it = value.find("tag"); it != value.end()) {
        if (!it->is_number_integer()) return fail(where + "/tag", "expected an integer");
        control->setTag(it->get<std::int64_t>());
      }
      if (auto it = value.find("action"); it != value.end()) {
        if (!it->is_string() || it->get<std::string>().empty())
          return fail(where + "/action", "expected a selector name");
        control->setAction(it->get<std::string>());
        if (owner_ != nullptr) {
          control->setTarget(owner_);
          if (!owner_->respondsToAction(control->action()))
            warnings_.push_back(where + ": the owner has no handler \"" + control->action() + "\"");
        }
      }
    }
    for (auto it = value.begin(); it != value.end(); ++it) {
      if (!known.count(it.key())) return fail(where + "/" + it.key(), "unknown key for a " + name);
    }
    if (auto it = value.find("frame"); it != value.end()) {
      auto r = rect(*it, where + "/frame");
      if (!r) return nullptr;
      view->setFrame(*r);
    }
    if (!boolean(value, "hidden", where, [&](bool b) { view->setHidden(b); })) return nullptr;
    if (!subviews(value, where, *view, depth)) return nullptr;
    if (auto it = value.find("outlet"); it != value.end()) {
      if (!it->is_string() || it->get<std::string>().empty())
        return fail(where + "/outlet", "expected an outlet name");
      std::string outlet = it->get<std::string>();
      if (!outlets_.insert(outlet).second)
        return fail(where + "/outlet", "outlet \"" + outlet + "\" is given twice");
      connections_.push_back({outlet, view});
    }
    return view;
  }

  bool subviews(const json& value, const std::string& where, View& parent, int depth) {
    auto it = value.find("subviews");
    if (it == value.end()) return true;
    if (!it->is_array()) return failed(where + "/subviews", "expected an array of views");
    for (std::size_t i = 0; i < it->size(); ++i) {
      auto child = node((*it)[i], where + "/subviews/" + std::to_string(i), depth + 1);
      if (!child) return false;
      parent.addSubview(child);
    }
    return true;
  }

  const std::string& error() const { return error_; }
  std::vector<Connection>& connections() { return connections_; }
  std::vector<std::string>& warnings() { return warnings_; }

  std::shared_ptr<View> fail(const std::string& where, const std::string& what) {
    failed(where, what);
    return nullptr;
  }
  bool failed(const std::string& where, const std::string& what) {
    if (error_.empty()) error_ = (where.empty() ? std::string("/") : where) + ": " + what;
    return false;
  }

 private:
  template <typename Set>
  bool string(const json& value, const char* key, const std::string& where, Set set) {
    auto it = value.find(key);
    if (it == value.end()) return true;
    if (!it->is_string()) return failed(where + "/" + key, "expected a string");
    set(it->get<std::string>());
    return true;
  }
  template <typename Set>
  bool boolean(const json& value, const char* key, const std::string& where, Set set) {
    auto it = value.find(key);
    if (it == value.end()) return true;
    if (!it->is_boolean()) return failed(where + "/" + key, "expected true or false");
    set(it->get<bool>());
    return true;
  }
  template <typename Set>
  bool number(const json& value, const char* key, const std::string& where, Set set) {
    auto it = value.find(key);
    if (it == value.end()) return true;
    if (!it->is_number()) return failed(where + "/" + key, "expected a number");
    set(it->get<double>());
    return true;
  }
  template <typename Set>
  bool integer(const json& value, const char* key, const std::string& where, Set set) {
    auto it = value.find(key);
    if (it == value.end()) return true;
    if (!it->is_number_integer()) return failed(where + "/" + key, "expected an integer");
    set(it->get<std::int64_t>());
    return true;
  }

  std::optional<Rect> rect(const json& value, const std::string& where) {
    if (!value.is_array() || value.size() != 4) {
      failed(where, "expected [x, y, width, height]");
      return std::nullopt;
    }
    for (const auto& n : value) {
      if (!n.is_number()) {
        failed(where, "expected [x, y, width, height] of numbers");
        return std::nullopt;
      }
    }
    Rect r{value[0].get<double>(), value[1].get<double>(), value[2].get<double>(),
           value[3].get<double>()};
    if (r.width < 0 || r.height < 0) {
      failed(where, "width and height must not be negative");
      return std::nullopt;
    }
    return r;
  }

  std::optional<Image> image(const json& value, const std::string& where) {
    if (!value.is_object()) {
      failed(where, "expected {\"icon\": name, \"size\": [width, height]}");
      return std::nullopt;
    }
    Image img;
    for (auto it = value.begin(); it != value.end(); ++it) {
      if (it.key() == "icon" && it->is_string() && !it->get<std::string>().empty()) {
        img.iconName = it->get<std::string>();
      } else if (it.key() == "size" && it->is_array() && it->size() == 2 && (*it)[0].is_number() &&
                 (*it)[1].is_number()) {
        img.size = {(*it)[0].get<double>(), (*it)[1].get<double>()};
      } else {
        failed(where + "/" + it.key(), "expected \"icon\" (a name) and \"size\" ([width, height])");
        return std::nullopt;
      }
    }
    if (img.iconName.empty()) {
      failed(where, "\"icon\" is missing");
      return std::nullopt;
    }
    return img;
  }

  std::shared_ptr<View> button(const json& value, const std::string& where, std::set<std::string>& known) {
    auto b = std::make_shared<Button>();
    known.insert({"buttonType", "title", "state", "image", "alternateImage"});
    if (auto it = value.find("buttonType"); it != value.end()) {
      static const std::map<std::string, ButtonType> types = {
          {"push", ButtonType::push}, {"toggle", ButtonType::toggle}, {"checkbox", ButtonType::checkbox}};
      auto type = it->is_string() ? types.find(it->get<std::string>()) : types.end();
      if (type == types.end()) return fail(where + "/buttonType", "expected \"push\", \"toggle\" or \"checkbox\"");
      b->setButtonType(type->second);
    }
    if (!string(value, "title", where, [&](std::string s) { b->setTitle(std::move(s)); })) return nullptr;
    if (auto it = value.find("state"); it != value.end()) {
      if (!it->is_number_integer() || (it->get<std::int64_t>() != 0 && it->get<std::int64_t>() != 1))
        return fail(where + "/state", "expected 0 or 1");
      b->setState(it->get<std::int64_t>());
    }
    for (const char* key : {"image", "alternateImage"}) {
      auto it = value.find(key);
      if (it == value.end()) continue;
      auto img = image(*it, where + "/" + key);
      if (!img) return nullptr;
      if (std::string(key) == "image") b->setImage(*img); else b->setAlternateImage(*img);
    }
    return b;
  }

  std::shared_ptr<View> popup(const json& value, const std::string& where, std::set<std::string>& known) {
    auto p = std::make_shared<PopUpButton>();
    known.insert({"items", "selectedIndex", "autoenablesItems"});
    if (auto it = value.find("items"); it != value.end()) {
      if (!it->is_array()) return fail(where + "/items", "expected an array of items");
      for (std::size_t i = 0; i < it->size(); ++i) {
        const json& item = (*it)[i];
        const std::string at = where + "/items/" + std::to_string(i);
        if (item.is_string()) {
          p->addItemWithTitle(item.get<std::string>());
          continue;
        }
        if (!item.is_object()) return fail(at, "expected a title or {\"title\", \"enabled\"}");
        MenuItem menuItem;
        for (auto f = item.begin(); f != item.end(); ++f) {
          if (f.key() == "title" && f->is_string()) {
            menuItem.title = f->get<std::string>();
          } else if (f.key() == "enabled" && f->is_boolean()) {
            menuItem.enabled = f->get<bool>();
          } else {
            return fail(at + "/" + f.key(), "expected \"title\" (a string) and \"enabled\" (true or false)");
          }
        }
        p->addItem(std::move(menuItem));
      }
    }
    if (auto it = value.find("selectedIndex"); it != value.end()) {
      if (!it->is_number_integer() || !p->selectItemAtIndex(it->get<std::int64_t>()))
        return fail(where + "/selectedIndex", "expected -1 or the index of an item");
    }
    if (!boolean(value, "autoenablesItems", where, [&](bool b) { p->setAutoenablesItems(b); })) return nullptr;
    return p;
  }

  std::shared_ptr<View> slider(const json& value, const std::string& where, std::set<std::string>& known) {
    auto s = std::make_shared<Slider>();
    known.insert({"minValue", "maxValue", "value", "numberOfTickMarks", "allowsTickMarkValuesOnly"});
    double lo = 0, hi = 1, v = 0;
    if (!number(value, "minValue", where, [&](double d) { lo = d; }) ||
        !number(value, "maxValue", where, [&](double d) { hi = d; }) ||
        !number(value, "value", where, [&](double d) { v = d; }))
      return nullptr;
    if (lo > hi) return fail(where + "/maxValue", "below \"minValue\"");
    if (v < lo || v > hi) return fail(where + "/value", "outside the slider's range");
    s->setRange(lo, hi);
    s->setDoubleValue(v);
    if (!integer(value, "numberOfTickMarks", where, [&](std::int64_t n) { s->setNumberOfTickMarks(n); }) ||
        !boolean(value, "allowsTickMarkValuesOnly", where, [&](bool b) { s->setAllowsTickMarkValuesOnly(b); }))
      return nullptr;
    return s;
  }

  std::shared_ptr<View> textField(const json& value, const std::string& where, std::set<std::string>& known) {
    auto t = std::make_shared<TextField>();
    known.insert({"stringValue", "editable", "selectable", "textColor"});
    if (!string(value, "stringValue", where, [&](std::string s) { t->setStringValue(std::move(s)); }) ||
        !boolean(value, "editable", where, [&](bool b) { t->setEditable(b); }) ||
        !boolean(value, "selectable", where, [&](bool b) { t->setSelectable(b); }))
      return nullptr;
    if (auto it = value.find("textColor"); it != value.end()) {
      auto color = it->is_string() ? parseColor(it->get<std::string>()) : std::nullopt;
      if (!color) return fail(where + "/textColor", "expected \"black\", \"grey\" or \"#rrggbb\"");
      t->setTextColor(*color);
    }
    return t;
  }

  static std::optional<Color> parseColor(const std::string& text) {
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

  std::shared_ptr<View> tabView(const json& value, const std::string& where, std::set<std::string>& known,
                                int depth) {
    auto tabs = std::make_shared<TabView>();
    known.insert({"tabs", "selectedIndex"});
    if (auto it = value.find("tabs"); it != value.end()) {
      if (!it->is_array()) return fail(where + "/tabs", "expected an array of tabs");
      for (std::size_t i = 0; i < it->size(); ++i) {
        const json& tab = (*it)[i];
        const std::string at = where + "/tabs/" + std::to_string(i);
        if (!tab.is_object()) return fail(at, "a tab must be a JSON object");
        std::string label, identifier;
        auto content = std::make_shared<View>();
        for (auto f = tab.begin(); f != tab.end(); ++f) {
          if (f.key() == "label" && f->is_string()) {
            label = f->get<std::string>();
          } else if (f.key() == "identifier" && f->is_string()) {
            identifier = f->get<std::string>();
          } else if (f.key() == "frame") {
            auto r = rect(*f, at + "/frame");
            if (!r) return nullptr;
            content->setFrame(*r);
          } else if (f.key() != "subviews") {
            return fail(at + "/" + f.key(), "a tab has \"label\", \"identifier\", \"frame\" and \"subviews\"");
          }
        }
        if (tabs->indexOfTabViewItemWithIdentifier(identifier) >= 0 && !identifier.empty())
          return fail(at + "/identifier", "identifier \"" + identifier + "\" is given twice");
        if (!subviews(tab, at, *content, depth)) return nullptr;
        tabs->addTabViewItem(std::make_shared<TabViewItem>(identifier, label, content));
      }
    }
    if (auto it = value.find("selectedIndex"); it != value.end()) {
      if (!it->is_number_integer() || !tabs->selectTabViewItemAtIndex(it->get<std::int64_t>()))
        return fail(where + "/selectedIndex", "expected the index of a tab");
    }
    return tabs;
  }

  std::shared_ptr<View> segmented(const json& value, const std::string& where, std::set<std::string>& known) {
    auto s = std::make_shared<SegmentedControl>();
    known.insert({"segments", "selectedSegment"});
    if (auto it = value.find("segments"); it != value.end()) {
      if (!it->is_array()) return fail(where + "/segments", "expected an array of segments");
      for (std::size_t i = 0; i < it->size(); ++i) {
        const json& seg = (*it)[i];
        const std::string at = where + "/segments/" + std::to_string(i);
        if (seg.is_string()) {
          s->addSegment({seg.get<std::string>(), true});
          continue;
        }
        if (!seg.is_object()) return fail(at, "expected a label or {\"label\", \"enabled\"}");
        Segment segment;
        for (auto f = seg.begin(); f != seg.end(); ++f) {
          if (f.key() == "label" && f->is_string()) {
            segment.label = f->get<std::string>();
          } else if (f.key() == "enabled" && f->is_boolean()) {
            segment.enabled = f->get<bool>();
          } else {
            return fail(at + "/" + f.key(), "expected \"label\" (a string) and \"enabled\" (true or false)");
          }
        }
        s->addSegment(std::move(segment));
      }
    }
    if (auto it = value.find("selectedSegment"); it != value.end()) {
      if (!it->is_number_integer() || !s->setSelectedSegment(it->get<std::int64_t>()))
        return fail(where + "/selectedSegment", "expected -1 or the index of a segment");
    }
    return s;
  }

  LayoutOwner* owner_;
  std::string error_;
  std::set<std::string> outlets_;
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
  json document;
  try {
    document = json::parse(text);
  } catch (const json::parse_error& e) {
    return report(std::string("not valid JSON: ") + e.what());
  }
  if (!document.is_object()) return report("/: a layout must be a JSON object with \"views\"");
  for (auto it = document.begin(); it != document.end(); ++it) {
    if (it.key() != "views" && it.key() != "name")
      return report("/" + it.key() + ": unknown key for a layout");
  }
  auto views = document.find("views");
  if (views == document.end() || !views->is_array())
    return report("/views: expected an array of views");

  Builder builder(owner);
  LoadedLayout layout;
  for (std::size_t i = 0; i < views->size(); ++i) {
    auto view = builder.node((*views)[i], "/views/" + std::to_string(i), 1);
    if (!view) return report(builder.error());
    layout.topLevelObjects.push_back(std::move(view));
  }
  // Only a whole, well-formed layout is connected to the owner.
  for (auto& connection : builder.connections()) {
    if (owner != nullptr && !owner->setOutlet(connection.outlet, connection.view))
      builder.warnings().push_back("the owner did not take the outlet \"" + connection.outlet + "\"");
  }
  for (auto& warning : builder.warnings()) layout.warnings.push_back(std::string(sourceName) + ": " + warning);
  return layout;
}

std::optional<LoadedLayout> loadLayoutFromFile(const std::filesystem::path& path, LayoutOwner* owner,
                                               std::string* error) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    if (error != nullptr) *error = path.string() + ": cannot be read: " + ec.message();
    return std::nullopt;
  }
  if (size > kMaxFileSize) {
    if (error != nullptr) *error = path.string() + ": larger than a layout can be";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in.good() && !in.eof()) {
    if (error != nullptr) *error = path.string() + ": cannot be read";
    return std::nullopt;
  }
  return loadLayoutFromString(text.str(), owner, error, path.filename().string());
}

}  // namespace toolkit
