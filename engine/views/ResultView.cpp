// The result view.
#include "engine/views/ResultView.h"

#include <cmath>

#include "engine/ResultAnalysis.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "ui/ShellOpen.h"
#include "ui/portable/LinkAddress.h"

CResultView::CResultView() : FormView(IDD_RESULT_VIEW) {}

bool CResultView::OnInitDialog() {
  SetBackgroundColour(RGB(255, 255, 255));
  return true;
}

std::string CResultView::FigureText(double percent, bool atLeastOne) {
  // The digits carry neither sign nor decimal point.
  const double magnitude = std::fabs(percent);
  std::string digits;
  if (!std::isfinite(magnitude) || magnitude == 0.0) {
    digits = "0";
  } else if (magnitude < 1.0 && atLeastOne) {
    digits = "1";
  } else if (magnitude >= 1e15) {
    digits = "999999999999999";
  } else {
    digits = std::to_string(static_cast<long long>(std::floor(magnitude + 0.5)));
  }
  return digits + " %";
}

void CResultView::CreateCaption(CLinkStatic& caption, int anchorId, const char* text) {
  HWND anchor = Item(anchorId);
  if (anchor == nullptr || caption.Handle() != nullptr) return;
  // The placeholder's rectangle in the view's own coordinates.
  RECT rect = {};
  GetWindowRect(anchor, &rect);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
  caption.Create(rect, text, WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX, Handle(), 8);
  caption.SetTarget(links::kDocument, shellopen::HelpPagePath("results.htm"), "");
}

void CResultView::Show(const TestRecord& request) {
  headingFont_.Reset(CreateFontA(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN,
                                 "Times New Roman"));
  SendItem(IDC_RESULT_ANALYSIS, WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.Get()), TRUE);
  SendItem(IDC_RESULT_WHATS_NEXT, WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.Get()), TRUE);

  const CResultAnalysis analysis(CSettingsStore::DetectOsFamily());
  double extreme = 0;
  double best = 0;
  double average = 0;
  // A figure that cannot be computed stays 0.
  if (analysis.ExtremeFigure(request, extreme) != 0) extreme = 0;
  if (analysis.BestOfTheBestFigure(request, best) != 0) best = 0;
  if (analysis.AverageFigure(request, average) != 0) average = 0;
  SetItemText(IDC_EXTREME_FIGURE, FigureText(extreme, false));
  SetItemText(IDC_BEST_FIGURE, FigureText(best, true));
  SetItemText(IDC_AVERAGE_FIGURE, FigureText(average, true));

  CreateCaption(captions_[0], IDC_EXTREME_CAPTION_ANCHOR, "Extreme Performance");
  CreateCaption(captions_[1], IDC_BEST_CAPTION_ANCHOR, "Best of the Best Performance");
  CreateCaption(captions_[2], IDC_AVERAGE_CAPTION_ANCHOR, "Average Performance");
}
