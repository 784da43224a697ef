// The client drivers' short-lived launch workers: a thread that waits for
// its private start message, does one piece of work (write the client's
// settings, start the client program, report a failure) and ends. The work
// owns copies of everything it uses, so the driver may go before it ends;
// it reports only by sending or posting to windows.
#pragma once

#include <windows.h>

#include <functional>

// Starts the thread and posts it `startMessage`; false when either fails
// (the work then never runs).
bool RunLaunchWorker(UINT startMessage, std::function<void()> work);
