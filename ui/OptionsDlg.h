// COptionsDlg: the Options dialog - whether the tray dialer shows, whether a
// single click on it dials, whether Velotune starts with Windows, which
// provider and which profile or screen name the one-click dialer uses, and
// whether Dial-Up Networking and MSN dial through Internet dial. Everything
// is read again each time it opens and written only by OK; Cancel writes
// nothing (opening writes the two switches it finds missing).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

// What the dialog needs of the main window.
class IOptionsOwner {
 public:
  virtual ~IOptionsOwner() = default;
  virtual void ShowTrayIcon() = 0;
  virtual void HideTrayIcon() = 0;
  // The main window, which OK closes (ending the program) when it is hidden
  // and the tray dialer is switched off.
  virtual HWND MainWindow() const = 0;
};

class COptionsDlg : public Dialog {
 public:
  explicit COptionsDlg(IOptionsOwner& owner);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;

 private:
  // The name lists and provider keys read at opening.
  struct StoredNames {
    std::vector<std::string> dialUpNetworking, americaOnline, compuServe, msn, earthLink, prodigy;
    bool netZero = false, juno = false, attWorldNet = false;
  };

  void ReadShowDialer();
  void ReadCurrentProvider();
  void ReadSingleClick();
  void ShowProfileList(bool show);
  void DecideInternetDialOffer();
  void ReadStoredNames();
  void FillProviders();
  void SelectCurrentProvider();
  void ShowMembers();

  void OnProviderChanged();
  void OnProfileListOpening();
  void OnOk();
  void WriteDefaultProfile(int kind);
  // The names read at opening for a provider; null for the providers without.
  const std::vector<std::string>* NamesOf(const std::string& provider) const;

  IOptionsOwner& owner_;
  int showDialer_ = 0;
  int singleClick_ = 1;
  int startWithWindows_ = 0;
  int internetDial_ = 0;
  bool internetDialShown_ = false;
  std::string providerName_;
  // The provider list's first item is the current provider put there at opening.
  bool firstItemIsCurrent_ = false;
  // The profile list holds only the "Select ..." prompt.
  bool promptShown_ = false;
  StoredNames stored_;
};
