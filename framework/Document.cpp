// The document's list of views.
#include "framework/Document.h"

#include <algorithm>

#include "framework/FormView.h"

void Document::AttachView(FormView* view) {
  if (view != nullptr && std::find(views_.begin(), views_.end(), view) == views_.end()) {
    views_.push_back(view);
  }
}

void Document::DetachView(FormView* view) {
  views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void Document::UpdateAllViews(FormView* sender) {
  // A view may replace another while it refreshes: walk a copy.
  const std::vector<FormView*> views = views_;
  for (FormView* view : views) {
    if (view != sender && std::find(views_.begin(), views_.end(), view) != views_.end()) {
      view->OnUpdate();
    }
  }
}
