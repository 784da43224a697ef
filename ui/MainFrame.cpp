// The main window.
#include "ui/MainFrame.h"

#include "dialing/DialEngineSeam.h"
#include "dialing/DialView.h"
#include "engine/TestPlan.h"
#include "engine/views/LeftView.h"
#include "engine/views/ProgressView.h"
#include "engine/views/ResultView.h"
#include "framework/Document.h"
#include "framework/GdiObjects.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "ui/RightView.h"
#include "ui/ShellOpen.h"
#include "ui/WindowPlacement.h"

namespace {

const char kFrameClass[] = "VelotuneMainFrame";
const char kTitle[] = "Velotune";
const int kSplitterId = 0xE900 - 1;

template <typename View>
View* PaneAs(const StaticSplitter& splitter, int column) {
  return dynamic_cast<View*>(splitter.GetPane(0, column));
}

}  // namespace

CMainFrame::~CMainFrame() {
  Destroy();
  // The window is gone and its icon with it; the dialer may only go now,
  // as its own command can be what ended the window.
  trayDialer_.reset();
}

bool CMainFrame::CreateMainWindow(int showCommand) {
  RECT rect = {static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT), 0, 0};
  RECT saved = {};
  if (LoadSavedWindowRect(saved)) rect = saved;
  HICON big = LoadResourceIcon(IDI_VELOTUNE, GetSystemMetrics(SM_CXICON));
  HICON small = LoadResourceIcon(IDI_VELOTUNE, GetSystemMetrics(SM_CXSMICON));
  if (!CreateFrame(kFrameClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect, IDR_MAINFRAME,
                   IDR_MAINFRAME, big, small)) {
    return false;
  }
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  ShowWindow(Handle(), showCommand);
  UpdateWindow(Handle());
  return true;
}

bool CMainFrame::OnCreate() {
  if (!CreateToolBarInReBar(IDR_MAINFRAME, IDB_TOOLBAR) || !CreateStatusBar()) return false;
  if (!CreateClient()) return false;
  SetWindowTextA(Handle(), kTitle);
  ApplyShowDialerOption();
  return true;
}

void CMainFrame::ApplyShowDialerOption() {
  DWORD showDialer = 0;
  const bool read = CSettingsStore().GetShowDialer(showDialer) == 0;
  ShowTrayIcon();
  if (!read || showDialer == 0) HideTrayIcon();
}

bool CMainFrame::CreateClient() {
  RECT client = {};
  GetClientRect(Handle(), &client);
  const SIZE leftSize = {CViewSplitter::kLeftWidth, CViewSplitter::kInitialHeight};
  const SIZE rightSize = {CViewSplitter::kRightInitial, CViewSplitter::kRightInitial};
  const bool created =
      splitter_.Create(Handle(), client, kSplitterId) &&
      splitter_.CreateView(0, 0, [] { return std::unique_ptr<FormView>(new CLeftView()); }, leftSize,
                           document_) &&
      splitter_.CreateView(0, 1, [] { return std::unique_ptr<FormView>(new CRightView()); },
                           rightSize, document_);
  if (!created) {
    splitter_.Destroy();
    return false;
  }
  rightPane_ = RightPane::Information;
  FrameWindow::RecalcLayout();
  // The first selection fills the right pane, so it waits for both panes.
  if (CLeftView* left = LeftView()) left->SelectRoot();
  return true;
}

StaticSplitter* CMainFrame::Splitter() const {
  return const_cast<CViewSplitter*>(&splitter_);
}

CLeftView* CMainFrame::LeftView() const { return PaneAs<CLeftView>(splitter_, 0); }

CommandRoute CMainFrame::Route() {
  return CommandRoute{this, splitter_.ActivePane(), document_, application_};
}

bool CMainFrame::UpdateCommand(int id, CommandState& state) {
  if (id == ID_HELP_TOPICS) return true;
  return FrameWindow::UpdateCommand(id, state);
}

void CMainFrame::RunCommand(int id) {
  if (id == ID_HELP_TOPICS) {
    shellopen::OpenHelpPage(Handle(), "main.htm");
    return;
  }
  FrameWindow::RunCommand(id);
}

void CMainFrame::OnClose() {
  if (closingHook_) closingHook_();
  SaveWindowRect(Handle());
  if (trayIconShown_ != 0) {
    // The program lives on in the notification area.
    ShowWindow(Handle(), SW_HIDE);
    return;
  }
  StopBeforeEnd();
  Destroy();
}

void CMainFrame::StopBeforeEnd() {
  if (closingHook_) closingHook_();
  // A tray dial still dialing has the tuned values in the registry; its
  // hang-up puts the user's back.
  if (dialEngine_ != nullptr && dialEngine_->IsTrayMode() && dialEngine_->IsDialing() &&
      trayDialer_) {
    trayDialer_->HangUp();
  }
}

void CMainFrame::EndProgram() {
  StopBeforeEnd();
  Destroy();
}

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    HideTrayIcon();
    PostQuitMessage(0);
    return 0;
  }
  return FrameWindow::HandleMessage(message, wParam, lParam);
}

void CMainFrame::SwitchRightPane(RightPane pane) {
  switch (pane) {
    case RightPane::Information:
      splitter_.ReplaceView<CRightView>(0, 1);
      break;
    case RightPane::Dial:
      splitter_.ReplaceView<CDialView>(0, 1);
      break;
    case RightPane::Progress:
      splitter_.ReplaceView<CProgressView>(0, 1);
      break;
    case RightPane::Result:
      splitter_.ReplaceView<CResultView>(0, 1);
      break;
  }
  rightPane_ = pane;
  if (document_ != nullptr) document_->UpdateAllViews();
  UpdateToolBarButtons();
}

IDialView* CMainFrame::DialView() { return PaneAs<CDialView>(splitter_, 1); }

HWND CMainFrame::ProgressViewWindow() {
  CProgressView* view = PaneAs<CProgressView>(splitter_, 1);
  return view != nullptr ? view->Handle() : nullptr;
}

void CMainFrame::PrepareProgressView(const CTestPlan& plan) {
  if (CProgressView* view = PaneAs<CProgressView>(splitter_, 1)) {
    view->Prepare(plan.Total(), plan.Remaining());
  }
}

void CMainFrame::ShowResultRequest(const TestRecord& request) {
  if (CResultView* view = PaneAs<CResultView>(splitter_, 1)) view->Show(request);
}

void CMainFrame::ShowInformationItem(int item) {
  if (CRightView* view = PaneAs<CRightView>(splitter_, 1)) view->ShowPage(item);
}

void CMainFrame::SetTreeItemsNormal(bool normal) {
  if (CLeftView* left = LeftView()) left->ShowItems(normal);
  UpdateToolBarButtons();
}

void CMainFrame::RecalcLayout() {
  splitter_.RecalcLayout();
  Repaint();
}

void CMainFrame::Repaint() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

CTrayDialer* CMainFrame::GetTrayDialer() {
  if (!trayDialer_) trayDialer_.reset(new CTrayDialer(*this));
  return trayDialer_.get();
}

int CMainFrame::ShowTrayIcon() {
  if (trayIconShown_ != 0) return 0;
  CTrayDialer* dialer = GetTrayDialer();
  if (dialer == nullptr) return 0;
  const int result = dialer->AddIcon();
  if (result == 0) trayIconShown_ = 1;
  return result;
}

int CMainFrame::HideTrayIcon() {
  if (trayIconShown_ == 0 || !trayDialer_) return 0;
  const int result = trayDialer_->DeleteIcon();
  if (result == 0) trayIconShown_ = 0;
  return result;
}

void CMainFrame::HideWindow() {
  if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}
