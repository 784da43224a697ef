// IDialView: the dial view of the right pane as the dial engine and the
// tune-up controller drive it - caption line 1017, status line 1016, the
// dialing and connected animations and the hung-up pictures.
// IDialViewSource: what the view asks of the engine that last showed a status
// in it, and where it reports that its connected animation has ended.
#pragma once

#include <string>

// Status values shown with a text; RAS states are passed through as they come.
constexpr int kDialStatusDialing = 0;
constexpr int kDialStatusConnected = 0x2000;
constexpr int kDialStatusDisconnected = 0x2001;

class IDialViewSource {
 public:
  virtual ~IDialViewSource() = default;
  // The connection being handled (shown as "Connecting to " + name).
  virtual std::string ConnectionName() const = 0;
  // True while a tray-mode dial or hang-up runs: the view then tells nobody
  // that its connected animation has ended.
  virtual bool IsTrayMode() const = 0;
  // Called by the view when its connected animation (and the wait after it)
  // has ended, unless IsTrayMode(). The engine passes it on to the controller.
  virtual void OnConnectedAnimationEnded() = 0;
};

class IDialView {
 public:
  virtual ~IDialView() = default;
  // Caption line 1017, in the bold caption font.
  virtual void SetCaption(const std::string& text) = 0;
  // Remembers the engine; a non-empty text goes into status line 1016 at once;
  // then by value: dialing starts the dialing animation, connected the
  // connected animation, disconnected shows the hung-up pictures, a RAS state
  // changes only the text.
  virtual void ShowStatus(IDialViewSource& engine, int status, const std::string& text) = 0;
  // Status line 1016 alone (the controller's failure texts).
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void StartDialingAnimation() = 0;
  virtual void StartConnectedAnimation() = 0;
  // Shows the hung-up pictures for the text "HangUp" only.
  virtual void ShowHungUpPictures(const std::string& text) = 0;
  // Repaints the view at once.
  virtual void Repaint() = 0;
};
