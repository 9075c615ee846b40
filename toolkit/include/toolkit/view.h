// The view hierarchy of the headless control model: a view has a frame,
// subviews, a hidden flag and, through its root, a window. Views are shared
// objects (std::shared_ptr); a superview owns its subviews.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "toolkit/geometry.h"

namespace toolkit {

class Window;
class View;

// Told of every change to a view that sits in a window with an observer: its
// state, its frame or its subviews. A renderer shows the change from here.
class ViewObserver {
 public:
  virtual ~ViewObserver() = default;
  virtual void viewDidChange(View& view) = 0;
};

enum class ViewKind {
  view,
  button,
  popUpButton,
  slider,
  textField,
  box,
  tabView,
  segmentedControl,
  imageView,
};

// The class name used for a kind in layout files and state dumps
// ("View", "Button", "PopUpButton", ...).
std::string_view className(ViewKind kind);

class View : public std::enable_shared_from_this<View> {
 public:
  View() = default;
  explicit View(const Rect& frame) : frame_(frame) {}
  virtual ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  virtual ViewKind kind() const { return ViewKind::view; }

  const Rect& frame() const { return frame_; }
  void setFrame(const Rect& frame) {
    frame_ = frame;
    didChange();
  }

  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden) {
    hidden_ = hidden;
    didChange();
  }
  // True when this view or any view above it is hidden.
  bool isHiddenOrHasHiddenAncestor() const;

  // Null for a view that sits in no other view. A tab view is the superview
  // of its items' views.
  View* superview() const { return superview_; }
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  // Moves `view` here from wherever it was; adding a view to itself or to
  // one of its own descendants is refused (returns false).
  bool addSubview(const std::shared_ptr<View>& view);
  void removeFromSuperview();

  // Every view directly inside this one: the subviews and, for a tab view,
  // the views of its items.
  virtual std::vector<View*> childViews() const;

  // The window whose content view is this view's root, or null.
  Window* window() const;

 protected:
  // Tells the observer of this view's window, if any, that the view changed.
  void didChange();

  // For containers that hold views outside `subviews()` (tab view items).
  static void attachChild(View& parent, View& child);
  static void detachChild(View& child);

 private:
  friend class Window;

  Rect frame_;
  bool hidden_ = false;
  View* superview_ = nullptr;
  std::vector<std::shared_ptr<View>> subviews_;
  Window* window_ = nullptr;  // set on a window's content view only
};

// The window a panel view is shown in; it tracks the first responder.
class Window {
 public:
  Window() = default;
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::shared_ptr<View>& contentView() const { return contentView_; }
  void setContentView(std::shared_ptr<View> view);

  // The view that takes keyboard input, or null.
  View* firstResponder() const;
  // Null clears it. A view outside this window is refused (returns false).
  bool makeFirstResponder(View* view);

  // Not owned; null clears it.
  ViewObserver* observer() const { return observer_; }
  void setObserver(ViewObserver* observer) { observer_ = observer; }

 private:
  friend class View;
  std::shared_ptr<View> contentView_;
  std::weak_ptr<View> firstResponder_;
  ViewObserver* observer_ = nullptr;
};

// Depth-first walk over `root` and everything inside it (tab items' views
// included), root first.
template <typename Visit>
void forEachView(View& root, Visit&& visit) {
  visit(root);
  for (View* child : root.childViews()) forEachView(*child, visit);
}

}  // namespace toolkit
