// A hidden window that records the private messages (from WM_APP up) posted
// or sent to it, and waits for them while pumping the thread's messages, as
// the program's own windows would receive them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageWindow {
 public:
  MessageWindow();
  ~MessageWindow();

  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  HWND Handle() const { return window_; }

  // Every recorded message so far, in arrival order.
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  // The recorded messages of one kind.
  std::vector<RecordedMessage> MessagesOf(UINT message) const;
  void Clear() { messages_.clear(); }

  // Pumps messages until `done` holds or `timeoutMs` (not scaled) has
  // passed; true when `done` held.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
  // Until a message of this kind arrives that `accept` takes (any, if empty).
  bool WaitFor(UINT message, DWORD timeoutMs,
               const std::function<bool(const RecordedMessage&)>& accept = nullptr);
  // Pumps for a while, to let late messages that should not come arrive.
  void PumpFor(DWORD milliseconds);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::vector<RecordedMessage> messages_;
};
