// What the left tree asks of its document: whether its selection may move to
// another item, and which item is selected now.
#pragma once

class ITreeSelectionOwner {
 public:
  virtual ~ITreeSelectionOwner() = default;
  // False keeps the tree's old selection; true lets it move to `item`.
  virtual bool MayChangeSelection(int item) = 0;
  virtual void SetSelectedItem(int item) = 0;
};
