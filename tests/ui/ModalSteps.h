// Driving a modal dialog or wizard from inside its own message loop: the
// steps run one after another from a thread timer while the modal call
// waits, and a last step closes whatever is still open so that a failed
// step never leaves the test waiting.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class ModalSteps {
 public:
  using Step = std::function<void()>;

  // Runs `modal` (which shows the dialog and returns when it ends) while the
  // steps run every `intervalMs`; `closeRemaining` runs after the last step
  // and again until the modal call returns.
  static void Run(const std::function<void()>& modal, std::vector<Step> steps, const Step& closeRemaining,
                  UINT intervalMs = 25) {
    Current() = ModalSteps{std::move(steps), closeRemaining};
    const UINT_PTR timer = SetTimer(nullptr, 0, intervalMs, &Tick);
    modal();
    KillTimer(nullptr, timer);
    Current() = ModalSteps{};
  }

 private:
  ModalSteps() = default;
  ModalSteps(std::vector<Step> steps, Step closeRemaining)
      : steps_(std::move(steps)), closeRemaining_(std::move(closeRemaining)) {}

  static ModalSteps& Current() {
    static ModalSteps current;
    return current;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalSteps& current = Current();
    // A step may open a nested modal loop, in which later ticks run the next steps.
    if (current.next_ < current.steps_.size()) {
      Step step = current.steps_[current.next_++];
      step();
    } else if (current.closeRemaining_) {
      Step close = current.closeRemaining_;
      close();
    }
  }

  std::vector<Step> steps_;
  Step closeRemaining_;
  size_t next_ = 0;
};
