// LabAol.exe: the lab's America Online / CompuServe 2000 client. Started as
// the program starts the real one (-n<screen name> -u""), it shows the main
// frame "AOL Frame25" with its "MDIClient", the sign-on window "_AOL_Modal"
// whose "Step N: ..." text advances while it dials, and once signed on an
// "AOL Child" welcome window for the screen name. The link comes up with the
// AOL adapter's MTU; it goes down when the frame is closed.
//
// Scenario section [AOL] (both providers use the same client):
//   Outcomes   per dial: connect, fail (sign-on ends without a connection),
//              cancel (the user closes the client while it dials), noframe
//              (no window; the program ends after QuitMs), noclient (a frame
//              without client area), nosignon, hiddensignon
//   Title      the frame's title (America Online)
//   Welcome    the welcome title, %s standing for the screen name
//              (Welcome, %s!); empty: no welcome window
//   Internet   1: a connection reaches the ISP; 0: it carries nothing
//   HiddenFirstChild  1: the sign-on window's first child is hidden
//   Steps, FrameMs, SignOnMs, StepMs, WelcomeMs, QuitMs
#include <windows.h>

#include <string>

#include "sim/clients/aol/AolAdapterMtu.h"
#include "sim/clients/common/ClientProgram.h"

namespace {

const char* const kStepTexts[] = {
    "Step 1: Finding modem", "Step 2: Dialing", "Step 3: Connecting",
    "Step 4: Requesting network attention", "Step 5: Checking password",
    "Step 6: Preparing your online session",
};

std::string StepText(int step) {
  constexpr int kKnown = sizeof(kStepTexts) / sizeof(kStepTexts[0]);
  if (step >= 1 && step <= kKnown) return kStepTexts[step - 1];
  return "Step " + std::to_string(step) + ": Connecting";
}

// The text after "-n" up to " -u" (or the end), as the client takes it.
std::string ScreenName(const std::string& commandLine) {
  size_t start = commandLine.find("-n");
  if (start == std::string::npos) return std::string();
  start += 2;
  size_t end = commandLine.find(" -u", start);
  return commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string ReplaceName(std::string pattern, const std::string& name) {
  size_t at = pattern.find("%s");
  if (at != std::string::npos) pattern.replace(at, 2, name);
  return pattern;
}

class AolClient : public ClientProgram {
 public:
  AolClient() : ClientProgram("AOL") {}

 protected:
  void Start() override {
    screenName_ = ScreenName(GetCommandLineA());
    log_.Write("screen-name", ClientLog::Quoted(screenName_));
    outcome_ = scenario_.NextDialOutcome("connect");
    log_.Write("dial", std::to_string(scenario_.Dials()) + " " + outcome_);
    if (outcome_ == "noframe") {
      After(scenario_.Delay("QuitMs", 20000), [this] { Quit(); });
      return;
    }
    After(scenario_.Delay("FrameMs", 800), [this] { ShowFrame(); });
  }

  void OnButton(HWND, const std::string& text) override {
    if (text == "Cancel" && signOn_ != nullptr) EndSignOn(false);
  }

  void OnClose(HWND window) override {
    if (window == signOn_) {
      EndSignOn(false);
      return;
    }
    Quit();
  }

 private:
  void ShowFrame() {
    frame_ = TopLevel("AOL Frame25", scenario_.Text("Title", "America Online"), 640, 480);
    if (outcome_ != "noclient") client_ = MdiClient(frame_);
    if (outcome_ == "nosignon") return;
    After(scenario_.Delay("SignOnMs", 1000), [this] { ShowSignOn(); });
  }

  void ShowSignOn() {
    bool hidden = outcome_ == "hiddensignon";
    signOn_ = TopLevel("_AOL_Modal", "Sign On", 360, 200, !hidden, frame_);
    if (scenario_.Flag("HiddenFirstChild", false)) {
      Child(signOn_, "STATIC", "", 10, 10, 40, 40, false);
    }
    stepText_ = Child(signOn_, "STATIC", StepText(1), 60, 20, 280, 20);
    log_.Write("step", ClientLog::Quoted(StepText(1)));
    Button(signOn_, "Cancel", 130, 120);
    if (hidden) return;
    step_ = 1;
    After(scenario_.Delay("StepMs", 700), [this] { NextStep(); });
  }

  void NextStep() {
    if (signOn_ == nullptr) return;
    if (outcome_ == "cancel" && step_ == 2) {
      log_.Write("user", "closes the client while it dials");
      Quit();
      return;
    }
    if (step_ >= scenario_.Number("Steps", 5)) {
      EndSignOn(outcome_ != "fail");
      return;
    }
    ++step_;
    SetWindowTextA(stepText_, StepText(step_).c_str());
    log_.Write("step", ClientLog::Quoted(StepText(step_)));
    After(scenario_.Delay("StepMs", 700), [this] { NextStep(); });
  }

  // The link is up before the sign-on window goes: its end means signed on.
  void EndSignOn(bool connected) {
    if (connected && scenario_.Flag("Internet", true)) {
      TcpipInEffect values = ClientLink::FamilyValues();
      values.mtu = ReadAolAdapterMtu(log_, values.mtu);
      link_.Up(values);
    }
    DestroyWindow(signOn_);
    signOn_ = nullptr;
    if (!connected) {
      log_.Write("sign-on", "ended without a connection");
      return;
    }
    After(scenario_.Delay("WelcomeMs", 1000), [this] { ShowWelcome(); });
  }

  void ShowWelcome() {
    std::string title = ReplaceName(scenario_.Text("Welcome", "Welcome, %s!"), screenName_);
    if (title.empty() || client_ == nullptr) return;
    Child(client_, "AOL Child", title, 10, 10, 400, 250, true, WS_CAPTION);
    log_.Write("welcome", ClientLog::Quoted(title));
  }

  std::string screenName_;
  std::string outcome_;
  HWND frame_ = nullptr;
  HWND client_ = nullptr;
  HWND signOn_ = nullptr;
  HWND stepText_ = nullptr;
  int step_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AolClient client;
  return client.Run();
}
