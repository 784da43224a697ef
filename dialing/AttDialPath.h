// CAttDialPath: how the dial engine dials AT&T WorldNet (provider kind 9)
// through CAttDriver: the driver's notices become the engine's connected
// (and the welcome window's watch) or its redial countdown; Disconnect hangs
// up and, when asked, closes the dialer's windows.
#pragma once

#include <string>

#include "dialing/ClientDialPathSeam.h"
#include "dialing/drivers/AttDriver.h"

class CAttDialPath : public IClientDialPath {
 public:
  explicit CAttDialPath(IDialEngineServices& engine) : engine_(engine) {}

  int Dial(bool restart) override;
  int Disconnect(const std::string& statusText, bool closeClient) override;
  void OnConnected() override;
  bool OnTimer(UINT_PTR /*id*/) override { return false; }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnDriverFailed(const std::string& driverText);

  IDialEngineServices& engine_;
  CAttDriver att_;
};
