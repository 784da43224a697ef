#include "tests/support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

MessageBoxRecorder::MessageBoxRecorder(int answer) {
  SetMessageBoxHandler([this, answer](const MessageBoxRequest& box) {
    std::lock_guard<std::mutex> lock(mutex_);
    boxes_.push_back(box);
    return answer != 0 ? answer : DefaultButtonOf(box.type);
  });
}

void FailOnUnexpectedMessageBoxes() {
  SetMessageBoxHandler([](const MessageBoxRequest& box) {
    ADD_FAILURE() << "unexpected message box \"" << box.caption << "\": " << box.text;
    return DefaultButtonOf(box.type);
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { FailOnUnexpectedMessageBoxes(); }

std::vector<MessageBoxRequest> MessageBoxRecorder::Boxes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}
