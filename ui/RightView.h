// CRightView: the information page in the right pane. Each item of the left
// tree has a page: a title, one or two sections of a sub-title and a body
// text from the string table, its own icon and a link to the help pages.
#pragma once

#include <string>

#include "framework/FormView.h"
#include "framework/GdiObjects.h"
#include "ui/LinkStatic.h"

class CRightView : public FormView {
 public:
  static constexpr int kPageCount = 7;

  CRightView();

  // Fills the page of tree item `page` (0..6); another number is only stored.
  void ShowPage(int page);
  int Page() const { return page_; }
  const CLinkStatic& HelpLink() const { return helpLink_; }

 protected:
  bool OnInitDialog() override;

 private:
  void ShowSection(int titleId, const char* title, int bodyId, int bodyStringId);
  void CreateHelpLink();

  OwnedFont titleFont_;
  OwnedFont firstSubtitleFont_;
  OwnedFont secondSubtitleFont_;
  OwnedIcon icons_[kPageCount];
  CLinkStatic helpLink_;
  int page_ = -1;
};
