// CJunoDialPath: how the dial engine dials Juno (provider kind 6) through
// CJunoDriver. A dial waits, in steps of two seconds (engine timer 80),
// until a Juno left open by an earlier dial has closed, then starts Juno;
// the driver's notices become the engine's connected, its redial countdown
// or, without a saved password, status 34. Disconnect leaves the web of a
// live connection or abandons the dial, and closes Juno a little later
// (engine timer 85).
#pragma once

#include <string>

#include "dialing/ClientDialPathSeam.h"
#include "dialing/drivers/JunoDriver.h"

class CJunoDialPath : public IClientDialPath {
 public:
  explicit CJunoDialPath(IDialEngineServices& engine) : engine_(engine) {}

  int Dial(bool restart) override;
  int Disconnect(const std::string& statusText, bool closeClient) override;
  void OnConnected() override;
  bool OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnDriverFailed(const std::string& driverText);
  void OnNoPassword();

  IDialEngineServices& engine_;
  CJunoDriver juno_;
  // Set once this engine has started Juno: until Juno is seen closed, a
  // dial first waits for it.
  bool junoStarted_ = true;
};
