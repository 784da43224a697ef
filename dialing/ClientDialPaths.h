// CClientDialPaths: the one place where the dial engine gets the dial path of
// a client-program kind (America Online and CompuServe 2000, NetZero, Juno,
// AT&T WorldNet). Each kind's path is listed once in ClientDialPaths.cpp; a
// kind that is not listed has no path, and the engine refuses to dial it.
#pragma once

#include <memory>

#include "dialing/ClientDialPathSeam.h"

class CClientDialPaths : public IClientDialPathFactory {
 public:
  std::unique_ptr<IClientDialPath> Create(int providerKind, IDialEngineServices& engine) override;
};
