// The Options dialog (see OptionsDlg.h).
#include "ui/OptionsDlg.h"

#include "framework/RegKey.h"
#include "res/resource.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/RegistryNames.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/ListControls.h"
#include "ui/portable/ConfigurationText.h"

namespace {

constexpr DWORD kMaxListedNames = 41;

bool HasNoProfile(const std::string& provider) {
  const int kind = ProviderKindFromName(provider);
  return provider.empty() || kind == kProviderNetZero || kind == kProviderJuno || kind == kProviderAttWorldNet;
}

bool DialsThroughRas(const std::string& provider) {
  const int kind = ProviderKindFromName(provider);
  return kind == kProviderDialUpNetworking || kind == kProviderMsn;
}

std::string DialUpProfileKey(const std::string& subkey) {
  return CSettingsStore::ProgramKeyPath(regnames::kDialUpProfile) + subkey;
}

// The first names of a key's subkeys: the listing ends at a subkey that cannot
// be opened or at the end; a name that cannot be read is skipped.
std::vector<std::string> SubkeyNames(const std::string& path) {
  std::vector<std::string> names;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return names;
  for (DWORD index = 0; index < kMaxListedNames; ++index) {
    std::string name;
    const LONG result = key.EnumSubkey(index, name);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;
    RegKey subkey;
    if (subkey.Open(key.Get(), name, KEY_READ) != ERROR_SUCCESS) break;
    names.push_back(name);
  }
  return names;
}

// The first names of a key's values, by the same rules.
std::vector<std::string> ValueNames(const std::string& path) {
  std::vector<std::string> names;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return names;
  for (DWORD index = 0; index < kMaxListedNames; ++index) {
    std::string name;
    const LONG result = key.EnumValueName(index, name);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) names.push_back(name);
  }
  return names;
}

std::string ProviderKey(int kind) { return CSettingsStore::ProviderKeyPath(kind); }

}  // namespace

COptionsDlg::COptionsDlg(IOptionsOwner& owner) : Dialog(IDD_OPTIONS), owner_(owner) {}

bool COptionsDlg::OnInitDialog() {
  showDialer_ = 0;
  singleClick_ = 1;
  startWithWindows_ = 0;
  internetDial_ = 0;
  internetDialShown_ = false;
  providerName_.clear();
  firstItemIsCurrent_ = false;
  promptShown_ = false;
  stored_ = StoredNames();

  ReadShowDialer();
  ReadCurrentProvider();
  ReadSingleClick();
  ShowProfileList(!HasNoProfile(providerName_));
  DecideInternetDialOffer();
  std::string command;
  startWithWindows_ = CSettingsStore().GetStartupEntry(command) == 0 ? 1 : 0;
  ReadStoredNames();
  FillProviders();
  SelectCurrentProvider();
  ShowMembers();
  return true;
}

void COptionsDlg::ReadShowDialer() {
  CSettingsStore store;
  DWORD flag = 0;
  if (store.GetShowDialer(flag) == 0) {
    showDialer_ = flag != 0 ? 1 : 0;
  } else {
    store.SetShowDialer(0);
  }
}

void COptionsDlg::ReadCurrentProvider() {
  int kind = 0;
  if (CSettingsStore().GetProviderKind(kind) != 0) return;
  // A stored number that names no provider leaves both lists empty.
  providerName_ = ProviderNameFromKind(kind);
  if (providerName_.empty()) return;
  HWND providers = Item(IDC_OPTIONS_PROVIDER);
  listcontrols::AddComboItems(providers, {providerName_});
  SendMessageA(providers, CB_SETCURSEL, 0, 0);
  firstItemIsCurrent_ = true;
  std::string profile;
  if (kind == kProviderAmericaOnline || kind == kProviderCompuServe) {
    CAolSettings settings;
    settings.GetProgramPath(kind, profile);
    profile.clear();
    settings.GetDefaultScreenName(profile);
  } else if (CDialUpProfile(kind).GetDefaultProfile(profile) != 0) {
    profile.clear();
  }
  if (profile.empty()) return;
  HWND profiles = Item(IDC_OPTIONS_PROFILE);
  listcontrols::AddComboItems(profiles, {profile});
  SendMessageA(profiles, CB_SETCURSEL, 0, 0);
}

void COptionsDlg::ReadSingleClick() {
  CSettingsStore store;
  DWORD flag = 1;
  if (store.GetSingleClickDial(flag) == 0) {
    singleClick_ = flag != 0 ? 1 : 0;
  } else {
    store.SetSingleClickDial(1);
  }
}

void COptionsDlg::ShowProfileList(bool show) {
  for (int id : {IDC_OPTIONS_PROFILE, IDC_OPTIONS_PROFILE_LABEL}) {
    ShowItem(id, show);
    EnableItem(id, show);
  }
}

void COptionsDlg::DecideInternetDialOffer() {
  CSettingsStore store;
  DWORD flag = 0;
  if (store.GetInternetDial(flag) == 0) {
    internetDial_ = flag != 0 ? 1 : 0;
  } else {
    std::string version;
    if (store.GetBrowserVersion(version) == 0 && configtext::IsBrowserOlderThanVersion5(version)) return;
  }
  const bool entries = !SubkeyNames(DialUpProfileKey("\\DUN")).empty() ||
                       !SubkeyNames(DialUpProfileKey("\\MSN")).empty();
  internetDialShown_ = entries && DialsThroughRas(providerName_);
}

void COptionsDlg::ReadStoredNames() {
  stored_.dialUpNetworking = SubkeyNames(ProviderKey(kProviderDialUpNetworking));
  stored_.msn = SubkeyNames(ProviderKey(kProviderMsn));
  stored_.earthLink = SubkeyNames(ProviderKey(kProviderEarthLink));
  stored_.prodigy = SubkeyNames(ProviderKey(kProviderProdigy));
  stored_.americaOnline = ValueNames(ProviderKey(kProviderAmericaOnline) + regnames::kScreenNames);
  stored_.compuServe = ValueNames(ProviderKey(kProviderCompuServe) + regnames::kScreenNames);
  RegKey key;
  stored_.netZero = key.Open(HKEY_LOCAL_MACHINE, ProviderKey(kProviderNetZero), KEY_READ) == ERROR_SUCCESS;
  stored_.juno = key.Open(HKEY_LOCAL_MACHINE, ProviderKey(kProviderJuno), KEY_READ) == ERROR_SUCCESS;
  stored_.attWorldNet = key.Open(HKEY_LOCAL_MACHINE, ProviderKey(kProviderAttWorldNet), KEY_READ) == ERROR_SUCCESS;
}

void COptionsDlg::FillProviders() {
  const std::pair<int, bool> offered[] = {
      {kProviderDialUpNetworking, !stored_.dialUpNetworking.empty()},
      {kProviderAmericaOnline, !stored_.americaOnline.empty()},
      {kProviderCompuServe, !stored_.compuServe.empty()},
      {kProviderMsn, !stored_.msn.empty()},
      {kProviderEarthLink, !stored_.earthLink.empty()},
      {kProviderProdigy, !stored_.prodigy.empty()},
      {kProviderNetZero, stored_.netZero},
      {kProviderJuno, stored_.juno},
      {kProviderAttWorldNet, stored_.attWorldNet},
  };
  HWND providers = Item(IDC_OPTIONS_PROVIDER);
  for (const auto& provider : offered) {
    if (provider.second) listcontrols::AddComboItems(providers, {ProviderNameFromKind(provider.first)});
  }
}

void COptionsDlg::SelectCurrentProvider() {
  // Only the item opening put there is the current provider's stand-in; without
  // it the first item is a stored provider, which stays.
  if (!firstItemIsCurrent_) return;
  HWND providers = Item(IDC_OPTIONS_PROVIDER);
  const LRESULT found =
      SendMessageA(providers, CB_FINDSTRING, 0, reinterpret_cast<LPARAM>(providerName_.c_str()));
  if (found == CB_ERR) return;
  SendMessageA(providers, CB_DELETESTRING, 0, 0);
  SendMessageA(providers, CB_SETCURSEL, static_cast<WPARAM>(found - 1), 0);
}

void COptionsDlg::ShowMembers() {
  SetChecked(IDC_OPTIONS_SHOW_DIALER, showDialer_ != 0);
  SetChecked(IDC_OPTIONS_SINGLE_CLICK, singleClick_ != 0);
  SetChecked(IDC_OPTIONS_START_WITH_WINDOWS, startWithWindows_ != 0);
  SetChecked(IDC_OPTIONS_INTERNET_DIAL, internetDial_ != 0);
  ShowItem(IDC_OPTIONS_INTERNET_DIAL, internetDialShown_);
}

const std::vector<std::string>* COptionsDlg::NamesOf(const std::string& provider) const {
  switch (ProviderKindFromName(provider)) {
    case kProviderDialUpNetworking: return &stored_.dialUpNetworking;
    case kProviderAmericaOnline: return &stored_.americaOnline;
    case kProviderCompuServe: return &stored_.compuServe;
    case kProviderMsn: return &stored_.msn;
    case kProviderEarthLink: return &stored_.earthLink;
    case kProviderProdigy: return &stored_.prodigy;
    default: return nullptr;
  }
}

void COptionsDlg::OnProviderChanged() {
  const std::string chosen = listcontrols::SelectedComboText(Item(IDC_OPTIONS_PROVIDER));
  if (configtext::EqualNoCase(chosen, providerName_)) return;
  providerName_ = chosen;
  if (HasNoProfile(chosen)) {
    ShowProfileList(false);
    return;
  }
  ShowProfileList(true);
  HWND profiles = Item(IDC_OPTIONS_PROFILE);
  listcontrols::ClearCombo(profiles);
  const int kind = ProviderKindFromName(chosen);
  const bool screenNames = kind == kProviderAmericaOnline || kind == kProviderCompuServe;
  listcontrols::AddComboItems(profiles, {screenNames ? "Select Screen Name" : "Select Profile"});
  SendMessageA(profiles, CB_SETCURSEL, 0, 0);
  promptShown_ = true;
  internetDialShown_ = DialsThroughRas(chosen);
  if (internetDialShown_) internetDial_ = 0;
  ShowMembers();
}

void COptionsDlg::OnProfileListOpening() {
  HWND profiles = Item(IDC_OPTIONS_PROFILE);
  listcontrols::ClearCombo(profiles);
  promptShown_ = false;
  if (const std::vector<std::string>* names = NamesOf(providerName_)) listcontrols::AddComboItems(profiles, *names);
}

void COptionsDlg::WriteDefaultProfile(int kind) {
  HWND profiles = Item(IDC_OPTIONS_PROFILE);
  // The prompt names no profile: the provider keeps what it has stored.
  if (promptShown_ || SendMessageA(profiles, CB_GETCURSEL, 0, 0) == CB_ERR) return;
  const std::string profile = listcontrols::SelectedComboText(profiles);
  if (IsDialUpKind(kind)) {
    CDialUpProfile(kind).SetDefaultProfile(profile);
  } else if (kind == kProviderAmericaOnline || kind == kProviderCompuServe) {
    CAolSettings settings;
    std::string ignored;
    settings.GetProgramPath(kind, ignored);
    settings.SetDefaultScreenName(profile);
  }
}

void COptionsDlg::OnOk() {
  showDialer_ = IsChecked(IDC_OPTIONS_SHOW_DIALER) ? 1 : 0;
  singleClick_ = IsChecked(IDC_OPTIONS_SINGLE_CLICK) ? 1 : 0;
  startWithWindows_ = IsChecked(IDC_OPTIONS_START_WITH_WINDOWS) ? 1 : 0;
  internetDial_ = IsChecked(IDC_OPTIONS_INTERNET_DIAL) ? 1 : 0;
  if (showDialer_ != 0) {
    owner_.ShowTrayIcon();
  } else {
    owner_.HideTrayIcon();
  }
  CSettingsStore store;
  store.SetShowDialer(static_cast<DWORD>(showDialer_));
  store.SetSingleClickDial(static_cast<DWORD>(singleClick_));
  // Only a provider the user has: an unknown one would read later as configured.
  const int kind = ProviderKindFromName(providerName_);
  if (kind != kProviderNone) store.SetProviderKind(kind);
  if (kind != kProviderNetZero && kind != kProviderJuno && kind != kProviderAttWorldNet) WriteDefaultProfile(kind);
  store.SetInternetDial(static_cast<DWORD>(internetDial_));
  std::string command;
  const bool entryExists = store.GetStartupEntry(command) == 0;
  if (startWithWindows_ != 0 && !entryExists) store.SetStartupEntry();
  if (startWithWindows_ == 0 && entryExists) store.DeleteStartupEntry();
  HWND main = owner_.MainWindow();
  // With neither the window nor the tray icon there would be no way back to the program.
  if (showDialer_ == 0 && main != nullptr && !IsWindowVisible(main)) PostMessageA(main, WM_CLOSE, 0, 0);
  End(IDOK);
}

bool COptionsDlg::OnCommand(int id, int notifyCode, HWND /*control*/) {
  if (id == IDC_OPTIONS_PROVIDER && notifyCode == CBN_SELCHANGE) {
    OnProviderChanged();
    return true;
  }
  if (id == IDC_OPTIONS_PROFILE && notifyCode == CBN_DROPDOWN) {
    OnProfileListOpening();
    return true;
  }
  if (id == IDC_OPTIONS_INTERNET_DIAL && notifyCode == BN_CLICKED) {
    internetDial_ = IsChecked(IDC_OPTIONS_INTERNET_DIAL) ? 1 : 0;
    return true;
  }
  if (id == IDOK) {
    OnOk();
    return true;
  }
  if (id == IDCANCEL) {
    End(IDCANCEL);
    return true;
  }
  return false;
}
