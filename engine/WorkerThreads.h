// The two threads of the tune-up worker: data collection (find the test
// page, list its images, check that each can be fetched) and the timed speed
// test. Each waits for WM_WORKER_START, reports progress by posting to the
// progress view and ends by posting WM_WORKER_DONE to the worker's window.
// A stop (the worker's TransferStop, with a quit message) ends a thread
// whatever it is doing: its WinINet handles are closed under it, its waits
// wake, and its loops look for the stop before each fetch, inside each body
// read and around the usage report. A thread works on data of its own and
// touches the worker's (image list, pass bytes, result log, window) only
// through the stop's gate, so that nothing of a stopped run reaches the
// worker, even from a WinINet call that goes on for a while.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/portable/TestRecord.h"

class TransferStop;
class CResultLog;

// What a thread is given; the thread owns it and deletes it when it ends.
struct WorkerStartRecord {
  HWND progressView = nullptr;
  HWND worker = nullptr;
  // The worker's image list and pass bytes: the collection fills them as it ends.
  std::vector<std::string>* images = nullptr;
  DWORD* passBytes = nullptr;
  int providerKind = 0;  // the controller's provider kind
  // Speed test only: copies of the images and pass bytes to measure with,
  // the plan's first test, and the result log the record goes to.
  std::vector<std::string> imagesToTime;
  DWORD passBytesToTime = 0;
  TestRecord firstTest;
  CResultLog* log = nullptr;
  std::shared_ptr<TransferStop> stop;  // raised by the worker to end this run
};

// The timed test's passes: enough to move 50000 bytes, at least one.
int TimedPasses(DWORD passBytes);
// The wait before a speed test measures, by provider kind (unscaled).
DWORD SettleWaitMs(int providerKind);

// Thread procedures (for _beginthreadex); the argument is a WorkerStartRecord*.
unsigned __stdcall CollectionThread(void* startRecord);
unsigned __stdcall SpeedTestThread(void* startRecord);
