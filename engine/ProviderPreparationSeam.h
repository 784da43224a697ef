// The provider client operations the tune-up controller runs around a
// tune-up: NetZero's jpeg.dll set aside and put back, and Juno's settings
// file preparation. The client drivers implement them; the default does
// nothing, for a program built without those drivers.
#pragma once

class IProviderPreparation {
 public:
  virtual ~IProviderPreparation() = default;
  // Moves jpeg.dll from the NetZero dialer's "bin\" into "bin\bckup\".
  virtual void NetZeroSetAside() {}
  // Moves it back into "bin\".
  virtual void NetZeroPutBack() {}
  // Turns off Juno's disconnect and exit confirmations in its juno.ini files.
  virtual void JunoPrepare() {}
};
