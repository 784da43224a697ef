// The client preparations, each through its driver.
#include "dialing/drivers/ClientPreparation.h"

#include "dialing/drivers/JunoDriver.h"
#include "dialing/drivers/NetZeroDriver.h"

void CClientPreparation::NetZeroSetAside() { CNetZeroDriver().SetAside(); }

void CClientPreparation::NetZeroPutBack() { CNetZeroDriver().PutBack(); }

void CClientPreparation::JunoPrepare() { CJunoDriver::Prepare(); }
