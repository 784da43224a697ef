// CInterimDoc: the main window's document until the tune-up controller is
// wired in. It knows only the tree's selection rule: refused while the
// progress view is shown, otherwise the information page of the item. It
// handles no tune-up command, so those stay grey.
#pragma once

#include "engine/MainFrameSeam.h"
#include "engine/views/TreeSelectionOwner.h"
#include "framework/Document.h"

class CInterimDoc : public Document, public ITreeSelectionOwner {
 public:
  explicit CInterimDoc(IMainFrame& frame) : frame_(frame) {}

  bool MayChangeSelection(int item) override;
  void SetSelectedItem(int item) override { selectedItem_ = item; }
  int SelectedItem() const { return selectedItem_; }

 private:
  IMainFrame& frame_;
  int selectedItem_ = -1;
};
