// CLinkStatic: a static text that acts as a hyperlink to an e-mail address,
// a web address or a local document. It draws its text underlined in blue,
// shows the hand cursor over itself and opens its target when the left
// button goes down on it.
#pragma once

#include <windows.h>

#include <string>

#include "framework/GdiObjects.h"
#include "framework/Window.h"

class CLinkStatic : public Window {
 public:
  CLinkStatic() = default;

  // Creates the label over `rect` (parent client coordinates) with the text,
  // drawn at `pointSize` points.
  bool Create(const RECT& rect, const std::string& text, DWORD style, HWND parent, int pointSize,
              int id = 0xFFFF);
  // Kind 1 e-mail, 2 web, 4 local document; any other kind makes it inert.
  void SetTarget(int kind, const std::string& target, const std::string& subject);

  int Kind() const { return kind_; }
  const std::string& Target() const { return target_; }
  // Opens the target as a click does; the failure message goes through the message-box seam.
  void Follow();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  int kind_ = 0;
  std::string target_;
  std::string subject_;
  OwnedFont font_;
};
