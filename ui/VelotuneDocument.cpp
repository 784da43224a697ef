// The document's commands.
#include "ui/VelotuneDocument.h"

#include <memory>

#include "dialing/DialHiddenDlg.h"
#include "res/resource.h"
#include "ui/ConfigWizardPSheet.h"

CVelotuneDocument::CVelotuneDocument(CMainFrame& frame)
    : controller_(frame,
                  [this](IDialController& controller) {
                    auto engine = std::make_unique<CDialHiddenDlg>(controller, &dialUpDialogs_, nullptr);
                    engine->Create();
                    return engine;
                  },
                  preparation_),
      optionsOwner_(frame) {}

bool CVelotuneDocument::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case ID_TUNEUP_START:
      state.enabled = controller_.CanStart();
      return true;
    case ID_TUNEUP_STOP:
      state.enabled = controller_.CanStop();
      return true;
    case ID_VIEW_LAST_RESULT:
    case ID_TOOLS_CONFIG_WIZARD:
    case ID_TOOLS_OPTIONS:
      return true;
    default:
      return false;
  }
}

void CVelotuneDocument::RunCommand(int id) {
  switch (id) {
    case ID_TUNEUP_START:
      controller_.Start();
      break;
    case ID_TUNEUP_STOP:
      controller_.Stop();
      break;
    case ID_VIEW_LAST_RESULT:
      controller_.LastResult();
      break;
    case ID_TOOLS_CONFIG_WIZARD:
      RunConfigurationWizard(optionsOwner_.MainWindow());
      break;
    case ID_TOOLS_OPTIONS:
      if (!options_) options_ = std::make_unique<COptionsDlg>(optionsOwner_);
      options_->DoModal(optionsOwner_.MainWindow());
      break;
    default:
      break;
  }
}
