// The look shared by the splash window and the About dialog: pale yellow
// behind the window and its static controls, and three pictures drawn with
// white transparent on a palette from the big picture's colour table.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/GdiObjects.h"

class PaleYellowDialog : public Dialog {
 public:
  static constexpr COLORREF kPaleYellow = RGB(255, 249, 203);

  explicit PaleYellowDialog(int templateId);

 protected:
  struct Placement {
    int bitmapId;
    int anchorId;  // control whose top-left corner places it, or 0
    POINT fixed;   // client position when there is no anchor
  };

  bool OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // The three pictures and where they go.
  virtual void Placements(Placement (&placements)[3]) const = 0;
  // Where each picture's top-left corner lies, in client coordinates.
  POINT PicturePosition(const Placement& placement) const;
  // The right and bottom edges of the pictures, in client coordinates.
  SIZE PicturesExtent() const;

 private:
  void PaintPictures();

  OwnedBrush brush_;
  OwnedBitmap bitmaps_[3];
  OwnedPalette palette_;
};
