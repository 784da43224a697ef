// CVTDoc: the tune-up controller, the application's document. It turns the
// left tree's choice into a test plan, has the dial engine connect and
// disconnect around every test, starts the tune-up worker's data collection
// and speed tests, chooses best values, decides after each failure whether
// to redial, resume or stop, and at the end shows the result. Everything
// runs on the user-interface thread; the worker and the dial engine report
// back through the operations below, which are ignored while no tune-up runs.
//
// Every end of a tune-up - complete, failed, stopped or closed - leaves the
// user's own TCP/IP values in the registry, the log closed and Start enabled.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "dialing/DialControllerSeam.h"
#include "dialing/DialEngineSeam.h"
#include "engine/CountdownDialog.h"
#include "engine/MainFrameSeam.h"
#include "engine/ProviderPreparationSeam.h"
#include "engine/TestPlan.h"
#include "engine/TuneUpWorker.h"
#include "settings/SettingsStore.h"

class CVTDoc : public IWorkerController, public IDialController {
 public:
  // Makes the dial engine the document owns; it is given the document.
  using EngineFactory = std::function<std::unique_ptr<IDialEngine>(IDialController&)>;

  CVTDoc(IMainFrame& frame, const EngineFactory& makeEngine, IProviderPreparation& preparation,
         CountdownRunner countdown = RunCountdownDialog);
  // A tune-up still running is ended (restored) first.
  ~CVTDoc() override;

  CVTDoc(const CVTDoc&) = delete;
  CVTDoc& operator=(const CVTDoc&) = delete;

  // --- Commands ------------------------------------------------------------
  // "&Start Tune-Up": refused (with its message) when no provider is
  // configured, and for America Online anything but Auto Tune-Up.
  void Start();
  // "St&op Tune-Up", and the dial engine's stop after a cancelled redial.
  void Stop() override;
  // "Last Result": shows the result view for the log's tune-up, if any.
  void LastResult();
  // Enable rules of the two tune-up commands.
  bool CanStart() const;
  bool CanStop() const { return inProgress_; }

  // --- The main frame and the left tree --------------------------------------
  // The application closes: a running tune-up ends through its cancellation,
  // once, restored, before the windows go.
  void StopIfRunning();
  // False while the engine dials or is connected or the progress view is
  // shown; otherwise the information view shows the item.
  bool MayChangeSelection(int item);
  void SetSelectedItem(int item) { selectedItem_ = item; }
  int SelectedItem() const { return selectedItem_; }

  bool IsInProgress() const { return inProgress_; }
  bool IsRunning() const { return running_; }
  const TestRecord& Request() const { return request_; }
  IDialEngine& DialEngine() { return *engine_; }
  CTuneUpWorker& Worker() { return worker_; }

  // --- Reports of the worker --------------------------------------------------
  int ProviderKind() const override { return providerKind_; }
  void StepDone() override;
  void StepFailed(int status) override;

  // --- Reports of the dial engine ----------------------------------------------
  void Connected() override;
  void DialFailed(int status) override;
  IDialView* DialView() override;
  void RepaintMainWindow() override;
  void HideMainWindow() override;
  HWND OwnerWindow() const override;

 private:
  // Builds the plan of a left-tree item; false when the item starts nothing.
  bool BuildPlan(int item);
  void Begin();
  // Runs the provider's preparation before the first dial.
  void PrepareProvider();
  // Asks the engine to dial for the next step; its result.
  int DialForStep(bool restart);
  // Applies the first record of the current plan and dials for it.
  void ApplyFirstAndDial();
  // Dials again for the same step; a refused dial goes to DialFailed.
  void Redial();
  void CompleteSpeedTest();
  void Complete();
  void StepFailedCollecting(int status);
  void StepFailedTesting(int status);
  // Switches to the dial view and has the engine hang up with the text.
  void Disconnect(const std::string& statusText, bool closeClient);
  void SetDialStatusText(const std::string& text);
  // Every unsuccessful end: the log closed, the user's values back, the
  // tree normal, reset.
  void EndTuneUp();
  void Reset();
  void ApplyMtuToAolAdapter();
  int RedialLimit() const;
  bool IsAolKind() const { return providerKind_ == 2 || providerKind_ == 3; }

  IMainFrame& frame_;
  IProviderPreparation& preparation_;
  CountdownRunner countdown_;
  CSettingsStore store_;
  std::deque<std::unique_ptr<CTestPlan>> plans_;
  CTestPlan* current_ = nullptr;
  // The plan that has just run to its end, kept for the manual choice.
  std::unique_ptr<CTestPlan> finished_;
  std::unique_ptr<IDialEngine> engine_;
  CTuneUpWorker worker_;
  bool collecting_ = false;
  int retries_ = 0;
  int providerKind_ = 0;
  TestRecord request_;
  bool inProgress_ = false;
  // A tune-up exists from Start until its end; reports arriving outside it
  // (a late connected notice, a cancellation after the end) are ignored.
  bool running_ = false;
  // Set when a dial for a step is asked for; the first connected notice clears it.
  bool awaitingConnection_ = false;
  // Counts tune-up ends, so that a caller that waited in a dialog can tell
  // that the tune-up ended meanwhile.
  unsigned endCount_ = 0;
  int selectedItem_ = -1;
};
