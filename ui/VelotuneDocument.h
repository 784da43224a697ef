// CVelotuneDocument: the tune-up controller as the main window's document.
// It routes the tune-up commands and their enable rules to the controller,
// answers the tree's selection questions through it, and owns the dial
// engine's helpers that live as long as the controller. The configuration
// commands open the configuration wizard and the Options dialog, whose
// object is made on first use and kept.
#pragma once

#include <functional>
#include <memory>

#include "dialing/ClientDialPaths.h"
#include "dialing/DialUpDlg.h"
#include "dialing/drivers/ClientPreparation.h"
#include "engine/MainFrameSeam.h"
#include "engine/ProviderPreparationSeam.h"
#include "engine/VTDoc.h"
#include "engine/views/TreeSelectionOwner.h"
#include "framework/Document.h"
#include "ui/FrameOptionsOwner.h"
#include "ui/OptionsDlg.h"

class CMainFrame;

class CVelotuneDocument : public Document, public ITreeSelectionOwner {
 public:
  explicit CVelotuneDocument(CMainFrame& frame);

  CVTDoc& Controller() { return controller_; }
  // What the dial status dialog's "&Hang Up" runs (the tray dialer's hang-up).
  void SetTrayHangUp(std::function<void()> hangUp) { dialUpDialogs_.SetHangUp(std::move(hangUp)); }

  bool UpdateCommand(int id, CommandState& state) override;
  void RunCommand(int id) override;

  bool MayChangeSelection(int item) override { return controller_.MayChangeSelection(item); }
  void SetSelectedItem(int item) override { controller_.SetSelectedItem(item); }

 private:
  CClientPreparation preparation_;
  CDialUpDlgFactory dialUpDialogs_;
  CClientDialPaths clientPaths_;
  CVTDoc controller_;
  CFrameOptionsOwner optionsOwner_;
  std::unique_ptr<COptionsDlg> options_;
};
