// CViewSplitter: the main window's split client area - the tree on the left,
// the view the tune-up needs on the right, replaced with ReplaceView.
#pragma once

#include "framework/StaticSplitter.h"

class CViewSplitter : public StaticSplitter {
 public:
  static constexpr int kLeftWidth = 220;
  static constexpr int kInitialHeight = 100;
  static constexpr int kRightInitial = 100;
};
