// A form view: a child dialog from a template, hosted in a pane of a frame.
//
// It paints itself and its static controls on its own background brush, is
// a command target of the route (the active view), and belongs to a document
// while it lives. Enter and Escape in a pane never end the view.
#pragma once

#include <windows.h>

#include "framework/CommandTarget.h"
#include "framework/Dialog.h"
#include "framework/GdiObjects.h"

class Document;

class FormView : public Dialog, public CommandTarget {
 public:
  explicit FormView(int templateId);
  ~FormView() override;

  // Creates the view as child `paneId` of `parent`, attached to `document`;
  // `frame` is the frame window that contains the pane.
  bool CreateInPane(HWND parent, int paneId, Document* document, HWND frame);

  Document* GetDocument() const { return document_; }
  HWND Frame() const { return frame_; }

  // The view's background colour, for itself and its static controls.
  void SetBackgroundColour(COLORREF colour);
  HBRUSH BackgroundBrush() const { return brush_.Get(); }

  // Called once after creation, and whenever the document updates its views.
  virtual void OnInitialUpdate() { OnUpdate(); }
  virtual void OnUpdate() {}

  bool UpdateCommand(int, CommandState&) override { return false; }
  void RunCommand(int) override {}

 protected:
  bool OnCommand(int id, int notifyCode, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // Colours of a static control; the default paints transparently on the brush.
  virtual HBRUSH OnStaticColour(HDC dc, HWND control);

 private:
  Document* document_ = nullptr;
  HWND frame_ = nullptr;
  OwnedBrush brush_;
};
