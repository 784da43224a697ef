// The tune-up worker's threads (see WorkerThreads.h).
#include "engine/WorkerThreads.h"

#include <memory>

#include "engine/Downloader.h"
#include "engine/ResultLog.h"
#include "engine/TestPlan.h"
#include "engine/UsageReporter.h"
#include "engine/WorkerMessages.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/UsageReportText.h"
#include "framework/TimeScale.h"
#include "framework/TransferStop.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"

namespace {

constexpr DWORD kBytesToMeasure = 50000;
constexpr DWORD kMeasureWaitMs = 3000;

// Waits for the start message; false when a quit message came first.
bool WaitForStart() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_WORKER_START) return true;
  }
  return false;
}

// True when the worker stopped this run; a pending quit message is removed.
bool QuitRequested() {
  MSG message;
  bool quit = PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  const TransferStop* stop = TransferStop::OfThisThread();
  return quit || (stop != nullptr && stop->Raised());
}

// A fixed wait that a stop cuts short; false when it did.
bool WaitUnlessStopped(DWORD milliseconds) {
  const TransferStop* stop = TransferStop::OfThisThread();
  if (stop == nullptr) {
    timescale::Sleep(milliseconds);
    return true;
  }
  return !stop->Wait(timescale::Scaled(milliseconds));
}

void Notify(HWND view, UINT message, WPARAM wParam = 0) {
  if (view != nullptr) PostMessageA(view, message, wParam, 0);
}

// One run of a thread: its start record, its downloader and its end.
class WorkerRun {
 public:
  WorkerRun(void* startRecord, WPARAM thread)
      : start_(static_cast<WorkerStartRecord*>(startRecord)), thread_(thread) {}

  // Posts WM_WORKER_DONE with the status (a stopped run ends cancelled,
  // whatever failed under it); the session closes with the downloader.
  unsigned End(int status) {
    if (QuitRequested()) status = status::kUserCancelled;
    PostMessageA(start_->worker, WM_WORKER_DONE, thread_, static_cast<LPARAM>(status));
    return 0;
  }

  // The end of a run stopped between its steps: the image list goes, as on
  // a stop before an image fetch.
  unsigned Cancelled() {
    start_->images->clear();
    return End(status::kUserCancelled);
  }

 protected:
  std::unique_ptr<WorkerStartRecord> start_;
  WPARAM thread_;
  CDownloader downloader_;
};

class CollectionRun : public WorkerRun {
 public:
  explicit CollectionRun(void* startRecord) : WorkerRun(startRecord, kCollectionThread) {}

  unsigned Run() {
    if (!WaitForStart()) return End(status::kUserCancelled);
    int status = downloader_.Open();
    if (status != status::kOk) return End(status);
    start_->images->clear();
    *start_->passBytes = 0;
    bool again = true;
    for (int pass = 1;; ++pass) {
      Notify(start_->progressView, WM_COLLECT_PASS);
      if (!again) return Finish();
      std::string page;
      status = downloader_.GetTestPage(page);
      if (status != status::kOk) return End(status);
      status = downloader_.ListImages(page, *start_->images);
      if (status != status::kOk) {
        start_->images->clear();
        if (pass >= 2) return End(status);
        continue;
      }
      Notify(start_->progressView, WM_IMAGES_FOUND, start_->images->size());
      if (!CheckImages()) return End(status::kUserCancelled);
      again = *start_->passBytes == 0;
      if (again && pass >= 2) return End(status::kDownloadFailed);
      if (again) start_->images->clear();
    }
  }

 private:
  // Fetches every image once, dropping those that fail or are empty; false on a quit.
  bool CheckImages() {
    std::vector<std::string>& images = *start_->images;
    for (size_t i = 0; i < images.size();) {
      if (QuitRequested()) {
        images.clear();
        return false;
      }
      DWORD bytes = 0;
      if (downloader_.Fetch(images[i], bytes) != status::kOk || bytes == 0) {
        images.erase(images.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        *start_->passBytes += bytes;
        ++i;
      }
      Notify(start_->progressView, WM_IMAGE_CHECKED);
    }
    return true;
  }

  unsigned Finish() {
    CSettingsStore store;
    int kind = start_->providerKind;
    if (store.GetAccess(kind) == 0) {
      if (QuitRequested()) return Cancelled();
      const bool sent = SendUsageReport(usagereport::kFirstAccessReport, kind) == 0;
      if (QuitRequested()) return Cancelled();
      if (sent) store.SetAccess(kind);
    }
    if (downloader_.Close() != status::kOk) {
      start_->images->clear();
      return End(status::kCloseSessionFailed);
    }
    return End(status::kOk);
  }
};

class SpeedTestRun : public WorkerRun {
 public:
  explicit SpeedTestRun(void* startRecord) : WorkerRun(startRecord, kSpeedTestThread) {}

  unsigned Run() {
    if (!WaitForStart()) return End(status::kUserCancelled);
    if (!WaitUnlessStopped(SettleWaitMs(start_->providerKind))) {
      return Cancelled();
    }
    int status = downloader_.Open();
    if (status == status::kOk) status = TimedTest();
    if (status == status::kOk && downloader_.Close() != status::kOk) {
      status = status::kCloseSessionFailed;
    }
    return End(status);
  }

 private:
  int TimedTest() {
    if (!WaitUnlessStopped(kMeasureWaitMs)) {
      start_->images->clear();
      return status::kUserCancelled;
    }
    TestRecord record = start_->plan->First();
    const std::vector<std::string>& images = *start_->images;
    int passes = TimedPasses(*start_->passBytes);
    Notify(start_->progressView, WM_TIMED_FETCHES, static_cast<WPARAM>(passes) * images.size());
    start_->log->StartStopwatch();
    for (int pass = 0; pass < passes; ++pass) {
      for (const std::string& image : images) {
        if (QuitRequested()) {
          start_->images->clear();
          return status::kUserCancelled;
        }
        DWORD bytes = 0;
        int status = downloader_.Fetch(image, bytes);
        if (status != status::kOk) return status;
        Notify(start_->progressView, WM_TIMED_FETCH_DONE);
      }
    }
    start_->log->StopStopwatch();
    record.elapsed = start_->log->ElapsedMilliseconds();
    record.value = start_->plan->First().value;
    return start_->log->Append(record);
  }
};

// Runs a thread's work; nothing may leave a thread, so an unexpected
// failure still ends it with a status for the worker.
template <typename Run>
unsigned RunGuarded(void* startRecord, WPARAM thread) {
  HWND worker = static_cast<WorkerStartRecord*>(startRecord)->worker;
  // The run's handles are the stop's to close: it outlives them.
  std::shared_ptr<TransferStop> stop = static_cast<WorkerStartRecord*>(startRecord)->stop;
  TransferStop::ThisThread stoppable(stop.get());
  try {
    return Run(startRecord).Run();
  } catch (...) {
    PostMessageA(worker, WM_WORKER_DONE, thread, status::kDownloadFailed);
    return 1;
  }
}

}  // namespace

int TimedPasses(DWORD passBytes) {
  // No bytes to count (nothing was collected) still makes one pass, never an endless one.
  if (passBytes == 0 || passBytes >= kBytesToMeasure) return 1;
  return static_cast<int>((kBytesToMeasure + passBytes - 1) / passBytes);
}

DWORD SettleWaitMs(int providerKind) {
  switch (providerKind) {
    case kProviderAmericaOnline:
    case kProviderCompuServe:
    case kProviderNetZero: return 8000;
    case kProviderJuno: return 15000;
    default: return 2000;
  }
}

unsigned __stdcall CollectionThread(void* startRecord) {
  return RunGuarded<CollectionRun>(startRecord, kCollectionThread);
}

unsigned __stdcall SpeedTestThread(void* startRecord) {
  return RunGuarded<SpeedTestRun>(startRecord, kSpeedTestThread);
}
