// The client preparations, each through its driver.
#include "dialing/drivers/ClientPreparation.h"

void CClientPreparation::NetZeroSetAside() {}

void CClientPreparation::NetZeroPutBack() {}

void CClientPreparation::JunoPrepare() {}
