// The document of a document/view program: the command target behind the
// views, which it can ask to refresh themselves.
//
// Views attach themselves while they live; the document does not own them.
#pragma once

#include <vector>

#include "framework/CommandTarget.h"

class FormView;

class Document : public CommandTarget {
 public:
  ~Document() override = default;

  void AttachView(FormView* view);
  void DetachView(FormView* view);
  // Asks every attached view but `sender` to refresh itself.
  void UpdateAllViews(FormView* sender = nullptr);
  const std::vector<FormView*>& Views() const { return views_; }

  bool UpdateCommand(int, CommandState&) override { return false; }
  void RunCommand(int) override {}

 private:
  std::vector<FormView*> views_;
};
