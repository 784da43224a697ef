// The interim document's selection rule.
#include "ui/InterimDoc.h"

bool CInterimDoc::MayChangeSelection(int item) {
  if (frame_.CurrentRightPane() == RightPane::Progress) return false;
  frame_.SwitchRightPane(RightPane::Information);
  frame_.ShowInformationItem(item);
  return true;
}
