#include "toolkit/view.h"

#include <algorithm>

namespace toolkit {

std::string_view className(ViewKind kind) {
  switch (kind) {
    case ViewKind::view: return "View";
    case ViewKind::button: return "Button";
    case ViewKind::popUpButton: return "PopUpButton";
    case ViewKind::slider: return "Slider";
    case ViewKind::textField: return "TextField";
    case ViewKind::box: return "Box";
    case ViewKind::tabView: return "TabView";
    case ViewKind::segmentedControl: return "SegmentedControl";
    case ViewKind::imageView: return "ImageView";
  }
  return "View";
}

View::~View() {
  // Subviews may outlive us when someone else holds them.
  for (auto& child : subviews_) child->superview_ = nullptr;
}

bool View::isHiddenOrHasHiddenAncestor() const {
  for (const View* view = this; view != nullptr; view = view->superview_) {
    if (view->hidden_) return true;
  }
  return false;
}

bool View::addSubview(const std::shared_ptr<View>& view) {
  if (!view) return false;
  for (const View* above = this; above != nullptr; above = above->superview_) {
    if (above == view.get()) return false;
  }
  std::shared_ptr<View> keep = view;  // removal below may drop the last other owner
  keep->removeFromSuperview();
  if (keep->window_ != nullptr) {
    keep->window_->contentView_.reset();
    keep->window_ = nullptr;
  }
  keep->superview_ = this;
  subviews_.push_back(std::move(keep));
  didChange();
  return true;
}

void View::removeFromSuperview() {
  View* parent = superview_;
  if (parent == nullptr) return;
  superview_ = nullptr;
  auto& siblings = parent->subviews_;
  auto found = std::find_if(siblings.begin(), siblings.end(),
                            [this](const std::shared_ptr<View>& v) { return v.get() == this; });
  if (found != siblings.end()) {
    std::shared_ptr<View> keep = *found;  // this view may be owned by nobody else
    siblings.erase(found);
  }
  parent->didChange();
}

std::vector<View*> View::childViews() const {
  std::vector<View*> children;
  children.reserve(subviews_.size());
  for (const auto& child : subviews_) children.push_back(child.get());
  return children;
}

Window* View::window() const {
  const View* root = this;
  while (root->superview_ != nullptr) root = root->superview_;
  return root->window_;
}

void View::didChange() {
  Window* shownIn = window();
  if (shownIn != nullptr && shownIn->observer_ != nullptr) shownIn->observer_->viewDidChange(*this);
}

void View::attachChild(View& parent, View& child) {
  child.removeFromSuperview();
  child.superview_ = &parent;
}

void View::detachChild(View& child) { child.superview_ = nullptr; }

Window::~Window() {
  if (contentView_) contentView_->window_ = nullptr;
}

void Window::setContentView(std::shared_ptr<View> view) {
  if (contentView_) contentView_->window_ = nullptr;
  firstResponder_.reset();
  contentView_ = std::move(view);
  if (contentView_) {
    contentView_->removeFromSuperview();
    contentView_->window_ = this;
  }
}

View* Window::firstResponder() const {
  auto view = firstResponder_.lock();
  if (!view || view->window() != this) return nullptr;
  return view.get();
}

bool Window::makeFirstResponder(View* view) {
  if (view == nullptr) {
    firstResponder_.reset();
    return true;
  }
  if (view->window() != this) return false;
  firstResponder_ = view->weak_from_this();
  return true;
}

}  // namespace toolkit
