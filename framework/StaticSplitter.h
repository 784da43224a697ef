// A static splitter of one row and two columns with a draggable bar.
//
// Each pane holds one form view, owned by the splitter. ReplaceView swaps the
// view of a pane for a new one of the same document: the old view goes
// first, the new one is made at size (0,0), then the layout is recalculated
// and the new pane repainted at once. NextPane moves the focus between panes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/FormView.h"
#include "framework/Window.h"

class Document;

class StaticSplitter : public Window {
 public:
  using ViewFactory = std::function<std::unique_ptr<FormView>()>;

  static constexpr int kRows = 1;
  static constexpr int kColumns = 2;
  // Child ids of the panes, as the framework numbers them.
  static constexpr int kFirstPaneId = 0xE900;

  StaticSplitter() = default;
  ~StaticSplitter() override;

  // Creates the splitter as a child of `frame` filling `rect`.
  bool Create(HWND frame, const RECT& rect, int id);

  // Creates the view of a pane (before or after the splitter window exists).
  bool CreateView(int row, int column, const ViewFactory& factory, SIZE initialSize,
                  Document* document);
  bool ReplaceView(int row, int column, const ViewFactory& factory);
  template <typename View>
  bool ReplaceView(int row, int column) {
    return ReplaceView(row, column, [] { return std::unique_ptr<FormView>(new View()); });
  }

  FormView* GetPane(int row, int column) const;
  // The pane whose window holds the focus, else the last one that had it.
  FormView* ActivePane() const;
  // Moves the focus to the next (or previous) pane.
  void NextPane(bool previous);

  void RecalcLayout();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr int kBarWidth = 4;
  int PaneIndex(int row, int column) const;
  bool PlaceView(int index, const ViewFactory& factory, Document* document);
  RECT BarRect() const;
  void OnBarDrag(int x);

  std::unique_ptr<FormView> panes_[kColumns];
  int firstWidth_ = 220;
  bool dragging_ = false;
  mutable int lastActive_ = 0;
  HWND frame_ = nullptr;
};
