// The client preparations, each through its driver.
#include "dialing/drivers/ClientPreparation.h"

#include "dialing/drivers/JunoDriver.h"

void CClientPreparation::NetZeroSetAside() {}

void CClientPreparation::NetZeroPutBack() {}

void CClientPreparation::JunoPrepare() { CJunoDriver::Prepare(); }
