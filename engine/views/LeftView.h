// CLeftView: the tree in the left pane from which a tune-up is chosen -
// "Velotune", "Auto Tune-Up" and, under "Manual Tune-Up", one item per
// parameter. Every item's number is its data and its image; the greyed image
// is seven further on. The document decides whether the selection may move.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/FormView.h"

class CLeftView : public FormView {
 public:
  static constexpr int kItemCount = 7;
  static constexpr int kCacheSizeItem = 6;
  static constexpr int kGreyedOffset = 7;

  CLeftView();
  ~CLeftView() override;

  // The item number of the current selection (-1 before the first).
  int SelectedItem() const { return selectedItem_; }
  // Selects the root and brings "Manual Tune-Up" into view, expanded; done
  // once both panes exist, since the selection fills the right pane.
  void SelectRoot();
  // Normal images (true) or greyed ones (false) for every item.
  void ShowItems(bool enabled);
  HWND Tree() const { return Item(1000); }
  // The tree item of an item number; null when absent (cache size on NT).
  HTREEITEM TreeItem(int item) const;

 protected:
  bool OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void FillTree();
  // TVN_SELCHANGING: true cancels the change.
  bool OnSelectionChanging(const NMTREEVIEWA& change);

  HIMAGELIST images_ = nullptr;
  HTREEITEM items_[kItemCount] = {};
  int selectedItem_ = -1;
};
