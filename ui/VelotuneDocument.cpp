// The document's commands.
#include "ui/VelotuneDocument.h"

#include <memory>

#include "dialing/DialHiddenDlg.h"
#include "res/resource.h"

CVelotuneDocument::CVelotuneDocument(IMainFrame& frame)
    : controller_(frame,
                  [this](IDialController& controller) {
                    auto engine = std::make_unique<CDialHiddenDlg>(controller, &dialUpDialogs_,
                                                                   &clientPaths_);
                    engine->Create();
                    return engine;
                  },
                  preparation_) {}

bool CVelotuneDocument::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case ID_TUNEUP_START:
      state.enabled = controller_.CanStart();
      return true;
    case ID_TUNEUP_STOP:
      state.enabled = controller_.CanStop();
      return true;
    case ID_VIEW_LAST_RESULT:
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
    default:
      break;
  }
}
