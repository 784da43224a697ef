// Records the message boxes shown while it lives and answers them with a
// chosen button (the box's default button when none is chosen).
#pragma once

#include <mutex>
#include <vector>

#include "framework/MessageBoxSeam.h"

// Makes every message box that no recorder expects a test failure (answered
// with its default button so that nothing waits).
void FailOnUnexpectedMessageBoxes();

class MessageBoxRecorder {
 public:
  explicit MessageBoxRecorder(int answer = 0);
  ~MessageBoxRecorder();

  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  std::vector<MessageBoxRequest> Boxes() const;

 private:
  mutable std::mutex mutex_;
  std::vector<MessageBoxRequest> boxes_;
};
