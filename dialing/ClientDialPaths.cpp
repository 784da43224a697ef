// The client dial path of each client-program kind.
#include "dialing/ClientDialPaths.h"

#include "dialing/AolDialPath.h"
#include "dialing/AttDialPath.h"
#include "dialing/JunoDialPath.h"
#include "dialing/NetZeroDialPath.h"

namespace {

using PathMaker = std::unique_ptr<IClientDialPath> (*)(IDialEngineServices& engine);

template <class Path>
std::unique_ptr<IClientDialPath> Make(IDialEngineServices& engine) {
  return std::make_unique<Path>(engine);
}

struct KindPath {
  int providerKind;
  PathMaker make;
};

// One line per kind.
const KindPath kKindPaths[] = {
    {2, &Make<CAolDialPath>},
    {3, &Make<CAolDialPath>},
    {5, &Make<CNetZeroDialPath>},
    {6, &Make<CJunoDialPath>},
    {9, &Make<CAttDialPath>},
};

}  // namespace

std::unique_ptr<IClientDialPath> CClientDialPaths::Create(int providerKind,
                                                          IDialEngineServices& engine) {
  for (const KindPath& entry : kKindPaths) {
    if (entry.providerKind == providerKind && entry.make != nullptr) return entry.make(engine);
  }
  return nullptr;
}
