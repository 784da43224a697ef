// CSplashDlg: the window shown for a moment while the program starts.
#pragma once

#include "ui/PaleYellowDialog.h"

class CSplashDlg : public PaleYellowDialog {
 public:
  CSplashDlg();

  // Creates the splash centred on the screen and paints it at once.
  bool ShowNow();

 protected:
  void Placements(Placement (&placements)[3]) const override;

 private:
  void FitToPictures();
};
