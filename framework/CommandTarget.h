// Command routing: the objects a command may reach, and the rule that finds
// the one that handles it.
//
// A target says whether it handles a command and, if so, whether the command
// is enabled (its update rule). A command reaches the first target of a route
// that handles it, and only when that target enables it; a command nobody
// handles is refused and shown greyed. The same rule runs when a menu opens,
// when the tool bar is refreshed, and before any command runs, so a command
// posted from anywhere cannot bypass its rule.
#pragma once

#include <initializer_list>
#include <vector>

struct CommandState {
  bool enabled = true;
  bool checked = false;
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  // True when this target handles `id`; it may then clear `state.enabled`.
  virtual bool UpdateCommand(int id, CommandState& state) = 0;
  // Runs a command this target handles and has enabled.
  virtual void RunCommand(int id) = 0;
};

// An ordered list of targets (null entries are skipped).
class CommandRoute {
 public:
  CommandRoute(std::initializer_list<CommandTarget*> targets) : targets_(targets) {}

  // The state a menu item or button of `id` shows; `handler` (optional)
  // receives the target that handles it, or null when none does.
  CommandState Query(int id, CommandTarget** handler = nullptr) const {
    for (CommandTarget* target : targets_) {
      if (target == nullptr) continue;
      CommandState state;
      if (target->UpdateCommand(id, state)) {
        if (handler != nullptr) *handler = target;
        return state;
      }
    }
    if (handler != nullptr) *handler = nullptr;
    CommandState unhandled;
    unhandled.enabled = false;
    return unhandled;
  }

  // Runs the command when a target handles and enables it; false when refused.
  bool Run(int id) const {
    CommandTarget* handler = nullptr;
    CommandState state = Query(id, &handler);
    if (handler == nullptr || !state.enabled) return false;
    handler->RunCommand(id);
    return true;
  }

 private:
  std::vector<CommandTarget*> targets_;
};
