// The information pages.
#include "ui/RightView.h"

#include <vector>

#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "ui/ShellOpen.h"
#include "ui/portable/LinkAddress.h"

namespace {

struct PageText {
  const char* title;
  const char* firstSubtitle;
  int firstBody;
  const char* secondSubtitle;  // null: the page has one section
  int secondBody;
};

const PageText kPages[CRightView::kPageCount] = {
    {"Velotune", "What Is Velotune?", IDS_INFO_32777, "How Does Velotune Do It?", IDS_INFO_32778},
    {"Auto Tune-Up", "What Is Auto Tune-Up?", IDS_INFO_32779, nullptr, 0},
    {"Manual Tune-Up (For Advanced Users Only)", "Why Manual Tune-Up?", IDS_INFO_32781, nullptr, 0},
    {"Maximum Transmission Unit (MTU)", "When Establishing Connection .....", IDS_INFO_32782,
     "What's Next?", IDS_INFO_32783},
    {"Receive Window (RWIN)", "When You're Surfing .....", IDS_INFO_32784, "What's Next?",
     IDS_INFO_32785},
    {"Time To Live (TTL)", "Along The Way .....", IDS_INFO_32786, "What's Next?", IDS_INFO_32787},
    {"Cache Size", "Now I Have The Data, But .....", IDS_INFO_32788, nullptr, 0},
};

const int kPageIcons[CRightView::kPageCount] = {IDI_VELOTUNE,   IDI_PAGE_AUTO, IDI_PAGE_MANUAL,
                                               IDI_PAGE_MTU,   IDI_PAGE_RWIN, IDI_PAGE_TTL,
                                               IDI_PAGE_CACHE};
const int kTtlPage = 5;

HFONT PageFont(int height) {
  // The face name is the one the pages have always asked for.
  return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN, "Times New Romans");
}

std::string LoadProse(int id) {
  std::vector<char> text(4096, '\0');
  const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text.data(),
                                 static_cast<int>(text.size()));
  return std::string(text.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

CRightView::CRightView() : FormView(IDD_RIGHT_VIEW) {
  titleFont_.Reset(PageFont(20));
  firstSubtitleFont_.Reset(PageFont(18));
  secondSubtitleFont_.Reset(PageFont(18));
  for (int i = 0; i < kPageCount; ++i) icons_[i].Reset(LoadResourceIcon(kPageIcons[i], 32));
}

bool CRightView::OnInitDialog() {
  SetBackgroundColour(RGB(255, 255, 255));
  SendItem(IDC_PAGE_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);
  SendItem(IDC_PAGE_SUBTITLE1, WM_SETFONT, reinterpret_cast<WPARAM>(firstSubtitleFont_.Get()), FALSE);
  SendItem(IDC_PAGE_SUBTITLE2, WM_SETFONT, reinterpret_cast<WPARAM>(secondSubtitleFont_.Get()), FALSE);
  return true;
}

void CRightView::ShowSection(int titleId, const char* title, int bodyId, int bodyStringId) {
  SetItemText(titleId, title);
  ShowItem(titleId, true);
  SetItemText(bodyId, LoadProse(bodyStringId));
  ShowItem(bodyId, true);
}

void CRightView::CreateHelpLink() {
  HWND anchor = Item(IDC_PAGE_HELP_ANCHOR);
  if (anchor == nullptr || helpLink_.Handle() != nullptr) return;
  RECT rect = {};
  GetWindowRect(anchor, &rect);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
  helpLink_.Create(rect, "For further information, click here",
                   WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX, Handle(), 8);
  helpLink_.SetTarget(links::kDocument, shellopen::HelpPagePath("main.htm"), "");
}

void CRightView::ShowPage(int page) {
  page_ = page;
  if (page < 0 || page >= kPageCount) return;
  const PageText& text = kPages[page];
  SetItemText(IDC_PAGE_TITLE, text.title);
  ShowItem(IDC_PAGE_TITLE, true);
  ShowSection(IDC_PAGE_SUBTITLE1, text.firstSubtitle, IDC_PAGE_BODY1, text.firstBody);
  // Cache size is not tuned on the NT family, so the TTL page points nowhere.
  const bool nt = IsNtFamily(CSettingsStore::DetectOsFamily());
  if (text.secondSubtitle != nullptr && !(page == kTtlPage && nt)) {
    ShowSection(IDC_PAGE_SUBTITLE2, text.secondSubtitle, IDC_PAGE_BODY2, text.secondBody);
  }
  SendItem(IDC_PAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icons_[page].Get()));
  CreateHelpLink();
}
