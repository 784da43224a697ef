// CClientPreparation: the client drivers' work around a tune-up that the
// tune-up controller asks for: NetZero's jpeg.dll set aside and put back, and
// the Juno settings file's preparation. Each call uses a short-lived driver.
#pragma once

#include "engine/ProviderPreparationSeam.h"

class CClientPreparation : public IProviderPreparation {
 public:
  void NetZeroSetAside() override;
  void NetZeroPutBack() override;
  void JunoPrepare() override;
};
