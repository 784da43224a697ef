// The tray dialer's icon, its clicks, and the dials and hang-ups it asks of
// the dial engine.
#include "ui/TrayDialer.h"

#include "dialing/DialEngineSeam.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "res/resource.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/AboutDlg.h"
#include "ui/ShellOpen.h"
#include "ui/UiMessages.h"

namespace {

constexpr char kBoxCaption[] = "Velotune";
constexpr char kTip[] = "Velotune Dialer";
constexpr char kTuneUpOwnsLineText[] =
    "One click dial has been disabled because tune-up in is progress";
constexpr char kNoSingleClickSetupText[] =
    "Unable to dial to service provider.  Please ensure that you have setup your \"Single Click "
    "Dial\" option";

// The first layout of the shell's icon record, which every shell accepts.
constexpr DWORD kIconRecordSize = NOTIFYICONDATAA_V1_SIZE;
#ifndef _WIN64
static_assert(kIconRecordSize == 88, "the icon record of the first shells is 88 bytes");
#endif

// Marks the dialer busy with a click or command for the life of the object.
class Handling {
 public:
  explicit Handling(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~Handling() { flag_ = previous_; }
  Handling(const Handling&) = delete;
  Handling& operator=(const Handling&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

CTrayDialer::CTrayDialer(ITrayDialerOwner& owner)
    : Dialog(IDD_HIDDEN_WINDOW), owner_(owner),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

CTrayDialer::~CTrayDialer() {
  if (iconAdded_) DeleteIcon();
}

// --- The icon ----------------------------------------------------------------------------

int CTrayDialer::AddIcon() {
  if (!windowCreated_) {
    if (!CreateModeless(nullptr)) return status::kModelessDialogFailed;
    windowCreated_ = true;
    ShowWindow(Handle(), SW_HIDE);
  }
  if (icon_.Get() == nullptr) {
    icon_.Reset(LoadResourceIcon(IDI_VELOTUNE, GetSystemMetrics(SM_CXSMICON)));
    if (icon_.Get() == nullptr) return status::kIconLoadFailed;
  }
  record_ = NOTIFYICONDATAA{};
  record_.cbSize = kIconRecordSize;
  record_.hWnd = Handle();
  record_.uID = kIconId;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = WM_TRAYNOTIFY;
  record_.hIcon = icon_.Get();
  lstrcpynA(record_.szTip, kTip, 64);
  if (!Shell_NotifyIconA(NIM_ADD, &record_)) return status::kTrayIconLoadFailed;
  iconAdded_ = true;
  return status::kOk;
}

int CTrayDialer::DeleteIcon() {
  if (!Shell_NotifyIconA(NIM_DELETE, &record_)) return status::kTrayIconDeleteFailed;
  iconAdded_ = false;
  return status::kOk;
}

int CTrayDialer::HangUp() {
  IDialEngine* engine = owner_.TrayDialEngine();
  return engine != nullptr ? engine->TrayHangUp() : status::kOk;
}

// --- The window ---------------------------------------------------------------------------

bool CTrayDialer::OnInitDialog() {
  ShowWindow(Handle(), SW_HIDE);
  return false;
}

INT_PTR CTrayDialer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (message == WM_TRAYNOTIFY) {
    handled = true;
    if (wParam == kIconId) OnIconMouse(static_cast<UINT>(lParam));
    return TRUE;
  }
  if (message == WM_MENUCHAR) {
    // A letter that no item of the gradient menu has closes it.
    handled = true;
    SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, MAKELRESULT(0, MNC_CLOSE));
    return TRUE;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // A restarted shell has forgotten the icon; without it a hidden main
    // window would be out of reach.
    handled = true;
    if (iconAdded_) Shell_NotifyIconA(NIM_ADD, &record_);
    return TRUE;
  }
  return FALSE;
}

bool CTrayDialer::OnCommand(int id, int /*notifyCode*/, HWND /*control*/) {
  Handling handling(handling_);
  switch (id) {
    case ID_TRAY_SHOW_MAIN:
      ToggleMainWindow();
      break;
    case ID_TRAY_CONFIG_WIZARD:
      owner_.RunMainCommand(ID_TOOLS_CONFIG_WIZARD);
      break;
    case ID_TOOLS_OPTIONS:
      owner_.RunMainCommand(ID_TOOLS_OPTIONS);
      break;
    case ID_TRAY_DIAL:
      DefaultDial();
      break;
    case ID_TRAY_HANG_UP:
      HangUpCommand();
      break;
    case ID_TRAY_ABOUT: {
      CAboutDlg about;
      about.DoModal(Handle());
      break;
    }
    case ID_TRAY_HELP:
      shellopen::OpenHelpPage(Handle(), "main.htm");
      break;
    case ID_TRAY_EXIT:
      owner_.EndProgram();
      break;
    default:
      if (id >= static_cast<int>(kFirstDialToId)) ChooseEntry(id);
      break;
  }
  // The window is never shown: OK and Cancel must not end it either.
  return true;
}

// --- Clicks --------------------------------------------------------------------------------

void CTrayDialer::OnIconMouse(UINT mouseMessage) {
  if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN) return;
  // A click that arrives while the last one is still being handled (a menu
  // open, a hang-up waiting for the line) belongs to nobody.
  if (handling_) return;
  Handling handling(handling_);
  IDialEngine* engine = owner_.TrayDialEngine();
  dialingSnapshot_ = engine != nullptr && engine->IsDialing();
  connectedSnapshot_ = engine != nullptr && engine->IsConnected();
  if (mouseMessage == WM_LBUTTONDOWN) {
    OnLeftClick();
  } else {
    ShowTrayMenu();
  }
}

void CTrayDialer::OnLeftClick() {
  CSettingsStore store;
  DWORD singleClick = 0;
  if (store.GetSingleClickDial(singleClick) != status::kOk) {
    singleClick = 1;
    store.SetSingleClickDial(singleClick);
  }
  IDialEngine* engine = owner_.TrayDialEngine();
  const bool trayMode = engine != nullptr && engine->IsTrayMode();
  if (!trayMode && IsBusy()) {
    ShowMessage(kTuneUpOwnsLineText);
  } else if (IsBusy()) {
    HangUp();
  } else if (singleClick != 0) {
    DefaultDial();
  } else {
    ShowPlainProviderMenu();
  }
}

void CTrayDialer::HangUpCommand() {
  IDialEngine* engine = owner_.TrayDialEngine();
  if (engine != nullptr && !engine->IsTrayMode() && (engine->IsDialing() || engine->IsConnected())) {
    // The line is the tune-up's: hanging up under it would leave it waiting
    // for a connection that never comes. Its stop hangs up and restores.
    owner_.RunMainCommand(ID_TUNEUP_STOP);
    return;
  }
  HangUp();
}

void CTrayDialer::ToggleMainWindow() {
  HWND main = owner_.MainWindow();
  if (main == nullptr) return;
  if (IsWindowVisible(main)) {
    ShowWindow(main, SW_HIDE);
  } else {
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(main);
  }
}

void CTrayDialer::ShowMessage(const std::string& text) {
  ShowMessageBox(owner_.MainWindow(), text, kBoxCaption, MB_OK);
}

// --- Dials -----------------------------------------------------------------------------------

void CTrayDialer::DefaultDial() {
  CSettingsStore store;
  int kind = 0;
  // A kind outside the table cannot be dialled either.
  if (store.GetProviderKind(kind) != status::kOk || ProviderNameFromKind(kind).empty()) {
    ShowMessage(kNoSingleClickSetupText);
    return;
  }
  std::string name;
  if (IsDialUpKind(kind)) {
    // Every phone-book kind dials its default entry, so that the dialog
    // names the connection it dials.
    CDialUpProfile profile(kind);
    if (profile.GetDefaultProfile(name) != status::kOk || name.empty()) {
      ShowMessage(kNoSingleClickSetupText);
      return;
    }
  } else if (kind == kProviderAmericaOnline || kind == kProviderCompuServe) {
    CAolSettings().GetDefaultScreenName(name);
  }
  Dial(kind, name);
}

void CTrayDialer::ChooseEntry(int commandId) {
  const size_t number = static_cast<size_t>(commandId) - kFirstDialToId;
  if (number >= entries_.size()) return;
  const DialToEntry entry = entries_[number];
  Dial(entry.providerKind, entry.name);
}

void CTrayDialer::Dial(int providerKind, const std::string& name) {
  if (IDialEngine* engine = owner_.TrayDialEngine()) engine->TrayDial(providerKind, name);
}
