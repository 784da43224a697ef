// The tune-up worker's threads (see WorkerThreads.h).
#include "engine/WorkerThreads.h"

#include <memory>

#include "engine/Downloader.h"
#include "engine/ResultLog.h"
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

// One run of a thread: its start record, its downloader, its stop and its end.
class WorkerRun {
 public:
  WorkerRun(void* startRecord, WPARAM thread)
      : start_(static_cast<WorkerStartRecord*>(startRecord)), thread_(thread) {}

 protected:
  // True when the worker stopped this run; a pending quit message is removed.
  bool QuitRequested() const {
    MSG message;
    bool quit = PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    return quit || Stopped();
  }
  bool Stopped() const { return start_->stop != nullptr && start_->stop->Raised(); }

  // A fixed wait that a stop cuts short; false when it did.
  bool WaitUnlessStopped(DWORD milliseconds) const {
    if (start_->stop == nullptr) {
      timescale::Sleep(milliseconds);
      return true;
    }
    return !start_->stop->Wait(timescale::Scaled(milliseconds));
  }

  // Runs `action` on the worker's data unless the run was stopped; false then.
  template <typename Action>
  bool Share(Action action) {
    if (start_->stop == nullptr) {
      action();
      return true;
    }
    return start_->stop->UnlessRaised(action);
  }

  void Notify(UINT message, WPARAM wParam = 0) const {
    if (start_->progressView != nullptr && !Stopped()) {
      PostMessageA(start_->progressView, message, wParam, 0);
    }
  }

  // Posts WM_WORKER_DONE with the status, after `publish` has handed the
  // run's results to the worker. A stopped run ends without a word: the
  // worker reports the stop itself. The session closes with the downloader.
  template <typename Publish>
  unsigned End(int status, Publish publish) {
    Share([&] {
      publish();
      PostMessageA(start_->worker, WM_WORKER_DONE, thread_, static_cast<LPARAM>(status));
    });
    return 0;
  }
  unsigned End(int status) {
    return End(status, [] {});
  }

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
    // The list and the bytes describe this tune-up only, from its start.
    if (!Share([this] { Publish(); })) return Cancelled();
    bool again = true;
    for (int pass = 1;; ++pass) {
      Notify(WM_COLLECT_PASS);
      if (!again) return Finish();
      std::string page;
      status = downloader_.GetTestPage(page);
      if (status != status::kOk) return EndCollection(status);
      status = downloader_.ListImages(page, images_);
      if (status != status::kOk) {
        images_.clear();
        if (pass >= 2) return EndCollection(status);
        continue;
      }
      Notify(WM_IMAGES_FOUND, images_.size());
      if (!CheckImages()) return Cancelled();
      again = passBytes_ == 0;
      if (again && pass >= 2) return EndCollection(status::kDownloadFailed);
      if (again) images_.clear();
    }
  }

 private:
  // Fetches every image once, dropping those that fail or are empty; false on a quit.
  bool CheckImages() {
    for (size_t i = 0; i < images_.size();) {
      if (QuitRequested()) return false;
      DWORD bytes = 0;
      if (downloader_.Fetch(images_[i], bytes) != status::kOk || bytes == 0) {
        images_.erase(images_.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        passBytes_ += bytes;
        ++i;
      }
      Notify(WM_IMAGE_CHECKED);
    }
    return true;
  }

  unsigned Finish() {
    CSettingsStore store;
    int kind = start_->providerKind;
    if (store.GetAccess(kind) == 0) {
      if (QuitRequested()) return Cancelled();
      const bool sent = SendUsageReport(usagereport::kFirstAccessReport, kind) == 0;
      // A report cut off by a stop is not counted as sent.
      if (QuitRequested()) return Cancelled();
      if (sent) store.SetAccess(kind);
    }
    if (downloader_.Close() != status::kOk) {
      images_.clear();
      return EndCollection(status::kCloseSessionFailed);
    }
    return EndCollection(status::kOk);
  }

  // A quit empties the list.
  unsigned Cancelled() {
    images_.clear();
    return EndCollection(status::kUserCancelled);
  }

  unsigned EndCollection(int status) {
    return End(status, [this] { Publish(); });
  }

  void Publish() {
    *start_->images = images_;
    *start_->passBytes = passBytes_;
  }

  std::vector<std::string> images_;
  DWORD passBytes_ = 0;
};

class SpeedTestRun : public WorkerRun {
 public:
  explicit SpeedTestRun(void* startRecord) : WorkerRun(startRecord, kSpeedTestThread) {}

  unsigned Run() {
    if (!WaitForStart()) return End(status::kUserCancelled);
    if (!WaitUnlessStopped(SettleWaitMs(start_->providerKind))) return Cancelled();
    int status = downloader_.Open();
    if (status == status::kOk) status = TimedTest();
    if (status == status::kUserCancelled) return Cancelled();
    if (status == status::kOk && downloader_.Close() != status::kOk) {
      status = status::kCloseSessionFailed;
    }
    return End(status);
  }

 private:
  int TimedTest() {
    if (!WaitUnlessStopped(kMeasureWaitMs)) return status::kUserCancelled;
    TestRecord record = start_->firstTest;
    const std::vector<std::string>& images = start_->imagesToTime;
    int passes = TimedPasses(start_->passBytesToTime);
    Notify(WM_TIMED_FETCHES, static_cast<WPARAM>(passes) * images.size());
    if (!Share([this] { start_->log->StartStopwatch(); })) return status::kUserCancelled;
    for (int pass = 0; pass < passes; ++pass) {
      for (const std::string& image : images) {
        if (QuitRequested()) return status::kUserCancelled;
        DWORD bytes = 0;
        int status = downloader_.Fetch(image, bytes);
        if (status != status::kOk) return status;
        Notify(WM_TIMED_FETCH_DONE);
      }
    }
    int appended = status::kUserCancelled;
    Share([&] {
      start_->log->StopStopwatch();
      record.elapsed = start_->log->ElapsedMilliseconds();
      record.value = start_->firstTest.value;
      appended = start_->log->Append(record);
    });
    return appended;
  }

  // A quit empties the list (the worker empties its own, as it stops the run).
  unsigned Cancelled() {
    return End(status::kUserCancelled, [this] { start_->images->clear(); });
  }
};

// Runs a thread's work; nothing may leave a thread, so an unexpected
// failure still ends it with a status for the worker.
template <typename Run>
unsigned RunGuarded(void* startRecord, WPARAM thread) {
  auto* start = static_cast<WorkerStartRecord*>(startRecord);
  HWND worker = start->worker;
  // The run's handles are the stop's to close: it outlives them.
  std::shared_ptr<TransferStop> stop = start->stop;
  TransferStop::ThisThread stoppable(stop.get());
  try {
    return Run(startRecord).Run();
  } catch (...) {
    auto post = [&] { PostMessageA(worker, WM_WORKER_DONE, thread, status::kDownloadFailed); };
    if (stop == nullptr) {
      post();
    } else {
      stop->UnlessRaised(post);
    }
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
