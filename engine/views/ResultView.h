// CResultView: the right pane at the end of a tune-up or for "Last Result":
// the three gains in percent read from the result log, with captions that
// open the help page explaining them.
#pragma once

#include <string>

#include "engine/portable/TestRecord.h"
#include "framework/FormView.h"
#include "framework/GdiObjects.h"
#include "ui/LinkStatic.h"

class CResultView : public FormView {
 public:
  CResultView();

  // Fills the figures for the tune-up request and creates the captions.
  void Show(const TestRecord& request);

  // The text of a figure: "0" for zero; between 0 and 1 "1" when `atLeastOne`
  // (else rounded); otherwise the value rounded to whole digits; then " %".
  static std::string FigureText(double percent, bool atLeastOne);

  const CLinkStatic& Caption(int index) const { return captions_[index]; }

 protected:
  bool OnInitDialog() override;

 private:
  void CreateCaption(CLinkStatic& caption, int anchorId, const char* text);

  OwnedFont headingFont_;
  CLinkStatic captions_[3];
};
