// Start-up and the application's commands.
#include "ui/VelotuneApp.h"

#include <winsock2.h>

#include <string>

#include "framework/MessageLoop.h"
#include "framework/RegKey.h"
#include "framework/TimeScale.h"
#include "res/resource.h"
#include "settings/RestoreMark.h"
#include "settings/SettingsStore.h"
#include "ui/AboutDlg.h"
#include "ui/ShellOpen.h"
#include "ui/SplashDlg.h"
#include "ui/StartupActions.h"

namespace {

const DWORD kSplashTime = 3000;
const char kFrameworkKey[] = "Software\\Local AppWizard-Generated Applications\\Velotune";

std::string LoadProgramString(int id) {
  char text[512] = {};
  const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

CVelotuneApp::CVelotuneApp() : osFamily_(CSettingsStore::DetectOsFamily()) {}

CVelotuneApp::~CVelotuneApp() {
  frame_.Destroy();
  if (socketsStarted_) WSACleanup();
}

void CVelotuneApp::ShowSplash() {
  CSplashDlg splash;
  if (splash.ShowNow()) timescale::Sleep(kSplashTime);
}

bool CVelotuneApp::StartSockets() {
  WSADATA data = {};
  socketsStarted_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
  return socketsStarted_;
}

void CVelotuneApp::CreateFrameworkKey() {
  // The framework keeps nothing of its own there; the key is all that is left of it.
  RegKey key;
  key.Create(HKEY_CURRENT_USER, kFrameworkKey);
}

void CVelotuneApp::BackUpUserValuesOnce() {
  CSettingsStore store(osFamily_);
  DWORD status = 0;
  if (store.GetBackupStatus(status) != 0 || status != 1) store.Backup();
}

bool CVelotuneApp::InitInstance(int showCommand) {
  // Steps 1 and 2: the first-start check and the earlier layout's check.
  CSettingsStore store(osFamily_);
  firstRun_ = RunStartupActions(store).firstRun;
  // A previous run that ended with test values in effect: the user's values first.
  CRestoreMark(store).RestoreAfterUnfinishedRun(nullptr);
  // Step 3.
  ShowSplash();
  // Step 4.
  if (!StartSockets()) {
    shellopen::ShowProgramMessage(nullptr, LoadProgramString(IDS_SOCKETS_INIT_FAILED));
    return false;
  }
  // Step 5. Step 6 takes no options: the command line is not read.
  CreateFrameworkKey();
  document_ = std::make_unique<CVelotuneDocument>(frame_);
  frame_.SetDocument(document_.get());
  // A tune-up still running when the window closes ends first, the user's values restored.
  frame_.SetClosingHook([this] { document_->Controller().StopIfRunning(); });
  frame_.SetApplication(this);
  frame_.SetDialEngine(&document_->Controller().DialEngine());
  // The dial status dialog's "&Hang Up" is the tray dialer's hang-up.
  document_->SetTrayHangUp([this] {
    if (CTrayDialer* dialer = frame_.GetTrayDialer()) dialer->HangUp();
  });
  if (!frame_.CreateMainWindow(showCommand)) return false;
  // Step 7: the icons are set as the window is made. Step 8.
  if (firstRun_ && firstRunWizard_) firstRunWizard_(frame_.Handle());
  // Step 9.
  BackUpUserValuesOnce();
  // Step 10: with the tray icon the program starts in the notification area.
  if (frame_.IsTrayIconShown()) frame_.HideWindow();
  return true;
}

int CVelotuneApp::Run() { return RunMessageLoop(&frame_); }

bool CVelotuneApp::UpdateCommand(int id, CommandState& /*state*/) { return id == ID_APP_ABOUT; }

void CVelotuneApp::RunCommand(int id) {
  if (id == ID_APP_ABOUT) {
    CAboutDlg about;
    about.DoModal(frame_.Handle());
  }
}
