// Controls: views that send an action to a target when a person uses them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/view.h"

namespace toolkit {

// The object a control's action is sent to. An action is named by its
// selector name ("colorModeProc:"); performing it calls the matching handler
// with the control as sender, as a person's change of the control would.
class ActionTarget {
 public:
  virtual ~ActionTarget() = default;
  // Calls the handler named `action`; false when there is none.
  virtual bool performAction(std::string_view action, View* sender) = 0;
  // Whether a handler named `action` exists (layout loading warns when not).
  virtual bool respondsToAction(std::string_view action) const = 0;
};

class Control : public View {
 public:
  using View::View;

  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) {
    enabled_ = enabled;
    didChange();
  }

  std::int64_t tag() const { return tag_; }
  void setTag(std::int64_t tag) { tag_ = tag; }

  // The target is not owned; the owner of a layout clears it or outlives it.
  ActionTarget* target() const { return target_; }
  void setTarget(ActionTarget* target) { target_ = target; }
  const std::string& action() const { return action_; }
  void setAction(std::string action) { action_ = std::move(action); }

  // Sends the control's own action to its own target; false when it has no
  // target or action, or the target has no such handler.
  bool sendAction() { return sendActionTo(action_, target_); }
  bool sendActionTo(std::string_view action, ActionTarget* target);

 private:
  bool enabled_ = true;
  std::int64_t tag_ = 0;
  ActionTarget* target_ = nullptr;
  std::string action_;
};

}  // namespace toolkit
