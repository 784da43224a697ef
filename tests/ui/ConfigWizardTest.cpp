// The configuration wizard run in the test process and driven through its
// pages' controls: every branch's answers and what they leave in the
// registry, the pages' checks and messages, pages replaced when the provider
// changes, the immediate writes, and a store that refuses a write.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/FileDialogSeam.h"
#include "res/resource.h"
#include "settings/DialUpProfile.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/ui/ControlProbe.h"
#include "tests/ui/ModalSteps.h"
#include "ui/ConfigWizardPSheet.h"

namespace {

using probe::Stored;

const std::string kDialUpProfile = "SOFTWARE\\Orvalis\\Velotune\\DialUp Profile";
const int kFinishButton = 0x3025;

std::string Key(const std::string& subkey) { return kDialUpProfile + "\\" + subkey; }

class ConfigWizardTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    CConfigWizardPSheet::Memory() = WizardMemory();
  }
  void TearDown() override {
    SetFileOpenHandler(nullptr);
    RegistryTest::TearDown();
  }

  // One run of a new wizard with the steps; whatever is left open is cancelled.
  void Run(std::vector<ModalSteps::Step> steps) {
    CConfigWizardPSheet sheet;
    sheet_ = &sheet;
    ModalSteps::Run([&] { sheet.DoModal(nullptr); }, std::move(steps),
                    [&] { if (sheet.Handle() != nullptr) Press(PSBTN_CANCEL); });
    sheet_ = nullptr;
  }

  int PageId() const {
    WizardPage* page = sheet_->ActivePage();
    return page != nullptr ? page->TemplateId() : 0;
  }
  HWND Control(int id) const {
    WizardPage* page = sheet_->ActivePage();
    return page != nullptr ? GetDlgItem(page->Handle(), id) : nullptr;
  }
  void Press(int button) const { SendMessageA(sheet_->Handle(), PSM_PRESSBUTTON, button, 0); }
  void Type(int id, const std::string& text) const { SetWindowTextA(Control(id), text.c_str()); }
  static std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
  }
  std::string Text(int id) const { return TextOf(Control(id)); }
  bool Shown(int id) const { return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }
  void Choose(int id, const std::string& text) const {
    SendMessageA(Control(id), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  }
  void ChooseProvider(const std::string& name) const {
    SendMessageA(Control(IDC_PROVIDER_LIST), LB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(name.c_str()));
  }
  static std::vector<std::string> Items(HWND combo) { return probe::ComboItems(combo); }
  static std::string Selected(HWND combo) { return probe::ComboSelection(combo); }
  bool FinishEnabled() const { return IsWindowEnabled(GetDlgItem(sheet_->Handle(), kFinishButton)) != FALSE; }
  // The steps that reach the service provider page with a tune-up type chosen.
  std::vector<ModalSteps::Step> ToProviderPage(int typeButton = IDC_TUNEUP_EXPRESS) {
    return {[this] { Press(PSBTN_NEXT); }, [this, typeButton] { Click(typeButton); },
            [this] { Press(PSBTN_NEXT); }};
  }
  std::vector<ModalSteps::Step> Then(std::vector<ModalSteps::Step> first, const std::vector<ModalSteps::Step>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : boxes_.Boxes()) texts.push_back(box.text);
    return texts;
  }

  CConfigWizardPSheet* sheet_ = nullptr;
  MessageBoxRecorder boxes_;
};

TEST_F(ConfigWizardTest, DialUpNetworkingBranchChecksEachPageAndStoresTheAnswers) {
  LabPhonebookFile book({"Zeta", "Lab ISP", "Alpha"});
  std::vector<int> pages;
  std::vector<std::string> profiles;
  bool domainsHidden = false, loginAsWideAsPassword = false, finishAt7 = true, finishAt8 = false;
  std::string startAddress;
  Run({
      [&] { pages.push_back(PageId()); Press(PSBTN_NEXT); },
      [&] { pages.push_back(PageId()); Press(PSBTN_NEXT); },  // no type chosen: stays
      [&] { pages.push_back(PageId()); Click(IDC_TUNEUP_MODERATE); Press(PSBTN_NEXT); },
      [&] { pages.push_back(PageId()); Press(PSBTN_NEXT); },  // no provider chosen: stays
      [&] { ChooseProvider("Windows Dial-Up Networking"); Press(PSBTN_NEXT); },
      [&] {
        pages.push_back(PageId());
        profiles = Items(Control(IDC_PROFILE_LIST));
        domainsHidden = !Shown(IDC_DOMAIN_LIST) && !Shown(IDC_DOMAIN_AT);
        RECT login = {}, password = {};
        GetWindowRect(Control(IDC_LOGIN_EDIT), &login);
        GetWindowRect(Control(IDC_PASSWORD_EDIT), &password);
        loginAsWideAsPassword = login.right - login.left == password.right - password.left;
        EXPECT_EQ("10", Text(IDC_REDIAL_EDIT));
        Press(PSBTN_NEXT);  // no profile chosen
      },
      [&] { Choose(IDC_PROFILE_LIST, "Lab ISP"); Press(PSBTN_NEXT); },  // no login
      [&] {
        Type(IDC_LOGIN_EDIT, "velotune");
        Type(IDC_PASSWORD_EDIT, "tuneup");
        Type(IDC_REDIAL_EDIT, "abc");
        Press(PSBTN_NEXT);  // not a whole number
      },
      [&] { Type(IDC_REDIAL_EDIT, "3"); Press(PSBTN_NEXT); },
      [&] {
        pages.push_back(PageId());
        startAddress = Text(IDC_ADDRESS_EDIT);
        finishAt7 = FinishEnabled();
        Type(IDC_ADDRESS_EDIT, "http://x");
        finishAt8 = FinishEnabled();
        Type(IDC_ADDRESS_EDIT, "www.yahoo.com/");
      },
      [&] { Press(PSBTN_FINISH); },
  });
  EXPECT_EQ((std::vector<int>{IDD_WIZARD_WELCOME, IDD_WIZARD_TUNEUP_TYPE, IDD_WIZARD_TUNEUP_TYPE,
                              IDD_WIZARD_PROVIDER, IDD_WIZARD_PROFILE, IDD_WIZARD_WEB_ADDRESS}),
            pages);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Lab ISP", "Zeta"}), profiles);
  EXPECT_TRUE(domainsHidden);
  EXPECT_TRUE(loginAsWideAsPassword);
  EXPECT_EQ("http://", startAddress);
  EXPECT_FALSE(finishAt7);
  EXPECT_TRUE(finishAt8);

  const std::vector<MessageBoxRequest> boxes = boxes_.Boxes();
  ASSERT_EQ(5u, boxes.size());
  EXPECT_EQ("Choose the type of tune-up to run", boxes[0].text);
  EXPECT_EQ("Choose the Service Provider you use to connect to the Internet", boxes[1].text);
  EXPECT_EQ("Choose a Dial-Up Profile", boxes[2].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes[2].type & MB_ICONMASK);
  EXPECT_EQ("Enter your login name", boxes[3].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes[3].type & MB_ICONMASK);
  EXPECT_EQ("Please enter an integer.", boxes[4].text);

  const std::string provider = Key("Windows Dial-Up Networking");
  EXPECT_EQ("1", Stored(kDialUpProfile, "DialUpType"));
  EXPECT_EQ("2", Stored(kDialUpProfile, "TuneUp Type"));
  EXPECT_EQ("Lab ISP", Stored(provider, "Default Profile"));
  EXPECT_EQ("velotune", Stored(provider + "\\Lab ISP", "Login"));
  EXPECT_EQ("9:3*:5", Stored(provider + "\\Lab ISP", "Password"));
  EXPECT_EQ("3", Stored(provider + "\\Lab ISP", "Redial"));
  EXPECT_EQ("http://www.yahoo.com", Stored(provider + "\\Lab ISP", "URL"));
}

TEST_F(ConfigWizardTest, StoredLoginsShowWithoutPrefixOrDomainAndAreWrittenBackWhole) {
  LabPhonebookFile book({"Lab ISP"});
  CDialUpProfile msn(4);
  msn.SetDefaultProfile("Lab ISP");
  msn.SetLoginPassword("Lab ISP", "MSN/bob", "pw");
  msn.SetRedial("Lab ISP", 7);
  msn.SetUrl("Lab ISP", "HTTP://stored.example//");
  msn.SetProviderKind(4);
  msn.SetTuneUpType(3);
  std::string login, redial, address;
  bool exhaustive = false;
  Run({[&] { Press(PSBTN_NEXT); },
       [&] { exhaustive = SendMessageA(Control(IDC_TUNEUP_EXHAUSTIVE), BM_GETCHECK, 0, 0) == BST_CHECKED;
             Press(PSBTN_NEXT); },
       [&] { Press(PSBTN_NEXT); },  // the stored provider is chosen
       [&] { login = Text(IDC_LOGIN_EDIT); redial = Text(IDC_REDIAL_EDIT); Press(PSBTN_NEXT); },
       [&] { address = Text(IDC_ADDRESS_EDIT); Press(PSBTN_FINISH); }});
  EXPECT_TRUE(exhaustive);
  EXPECT_EQ("bob", login);
  EXPECT_EQ("7", redial);
  EXPECT_EQ("HTTP://stored.example//", address);
  const std::string entry = Key("Microsoft Network\\Lab ISP");
  EXPECT_EQ("MSN/bob", Stored(entry, "Login"));
  // The capital prefix stays; of two trailing slashes only the last goes.
  EXPECT_EQ("HTTP://stored.example/", Stored(entry, "URL"));

  // A login typed without the prefix gets it.
  Run(Then(ToProviderPage(), {[&] { Press(PSBTN_NEXT); },
                              [&] { Type(IDC_LOGIN_EDIT, "alice"); Press(PSBTN_NEXT); },
                              [&] { Press(PSBTN_FINISH); }}));
  EXPECT_EQ("MSN/alice", Stored(entry, "Login"));

  // EarthLink: the name alone in the edit, its domain chosen in the list.
  CDialUpProfile earthLink(7);
  earthLink.SetDefaultProfile("Lab ISP");
  earthLink.SetLoginPassword("Lab ISP", "joe@mindspring.com", "pw");
  earthLink.SetRedial("Lab ISP", 4);
  earthLink.SetProviderKind(7);
  std::vector<std::string> domains;
  std::string shownDomain, rememberedDomain;
  Run(Then(ToProviderPage(), {
      [&] { Press(PSBTN_NEXT); },
      [&] {
        login = Text(IDC_LOGIN_EDIT);
        domains = Items(Control(IDC_DOMAIN_LIST));
        shownDomain = Selected(Control(IDC_DOMAIN_LIST));
        EXPECT_TRUE(Shown(IDC_DOMAIN_AT));
        Choose(IDC_DOMAIN_LIST, "earthlink.net");
        Press(PSBTN_BACK);
      },
      [&] { Press(PSBTN_NEXT); },  // the page is made again, the domain of Back kept
      [&] {
        rememberedDomain = Selected(Control(IDC_DOMAIN_LIST));
        SendMessageA(Control(IDC_DOMAIN_LIST), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        Press(PSBTN_NEXT);  // no domain
      },
      [&] { Choose(IDC_DOMAIN_LIST, "earthlink.net"); Press(PSBTN_NEXT); },
      [&] { Press(PSBTN_FINISH); },
  }));
  EXPECT_EQ("joe", login);
  EXPECT_EQ(5u, domains.size());
  EXPECT_EQ("mindspring.com", shownDomain);
  EXPECT_EQ("earthlink.net", rememberedDomain);
  EXPECT_EQ("joe@earthlink.net", Stored(Key("EarthLink\\Lab ISP"), "Login"));
  EXPECT_EQ("Choose a domain", BoxTexts().back());
  EXPECT_EQ("7", Stored(kDialUpProfile, "DialUpType"));
}

TEST_F(ConfigWizardTest, CompuServePageWorksOnItsOwnKeyAndKeepsScreenNamesAtOnce) {
  const std::string aol = Key("America Online");
  const std::string cs = Key("CompuServe 2000");
  testreg::WriteDword(kDialUpProfile, "DialUpType", 2);
  testreg::WriteText(aol, "AOLProgramPath", "C:\\aol\\aol.exe");
  testreg::WriteText(cs, "AOLProgramPath", "C:\\cs\\cs.exe");
  testreg::WriteDword(cs, "Redial", 4);
  testreg::WriteText(cs + "\\ScreenNames", "Carl", "");
  SetFileOpenHandler([](const FileOpenRequest& request) {
    EXPECT_EQ("*.exe", request.initialPath);
    return std::string("C:\\cs\\new.exe");
  });
  std::string group, label, path, redial, selected, typeAfterScreenName, dialogGroup;
  std::vector<std::string> afterCancel, afterOk;
  auto screenNames = [] { return FindWindowA("#32770", "Screen Names"); };
  auto inDialog = [&](int id) { return GetDlgItem(screenNames(), id); };
  Run(Then(ToProviderPage(), {
      [&] { ChooseProvider("CompuServe 2000"); Press(PSBTN_NEXT); },
      [&] {
        group = Text(IDC_WIZARD_GROUP);
        label = Text(IDC_WIZARD_LABEL);
        path = Text(IDC_ADDRESS_EDIT);
        redial = Text(IDC_REDIAL_EDIT);
        selected = Selected(Control(IDC_PROFILE_LIST));
        PostMessageA(Control(IDC_SCREEN_NAME_BUTTON), BM_CLICK, 0, 0);
      },
      [&] {
        typeAfterScreenName = Stored(kDialUpProfile, "DialUpType");
        dialogGroup = TextOf(inDialog(IDC_WIZARD_GROUP));
        SendMessageA(inDialog(IDC_SCREEN_NAME_ADD), BM_CLICK, 0, 0);  // nothing typed
        SetWindowTextA(inDialog(IDC_ADDRESS_EDIT), "Dana");
        SendMessageA(inDialog(IDC_SCREEN_NAME_ADD), BM_CLICK, 0, 0);
        SetWindowTextA(inDialog(IDC_ADDRESS_EDIT), "carl");  // already there in another case
        SendMessageA(inDialog(IDC_SCREEN_NAME_ADD), BM_CLICK, 0, 0);
        EXPECT_EQ((std::vector<std::string>{"Carl", "Dana"}), Items(inDialog(IDC_PROFILE_LIST)));
        SendMessageA(inDialog(IDC_PROFILE_LIST), CB_SETCURSEL, 1, 0);
        SendMessageA(inDialog(IDC_SCREEN_NAME_DELETE), BM_CLICK, 0, 0);
        SendMessageA(inDialog(IDC_SCREEN_NAME_DELETE), BM_CLICK, 0, 0);  // nothing selected
        SetWindowTextA(inDialog(IDC_ADDRESS_EDIT), "Eve");
        SendMessageA(inDialog(IDC_SCREEN_NAME_ADD), BM_CLICK, 0, 0);
        SendMessageA(inDialog(IDC_SCREEN_NAME_CANCEL), BM_CLICK, 0, 0);
      },
      [&] {
        afterCancel = Items(Control(IDC_PROFILE_LIST));
        PostMessageA(Control(IDC_SCREEN_NAME_BUTTON), BM_CLICK, 0, 0);
      },
      [&] {
        SetWindowTextA(inDialog(IDC_ADDRESS_EDIT), "Finn");
        SendMessageA(inDialog(IDC_SCREEN_NAME_ADD), BM_CLICK, 0, 0);
        SendMessageA(inDialog(IDC_SCREEN_NAME_OK), BM_CLICK, 0, 0);
      },
      [&] {
        afterOk = Items(Control(IDC_PROFILE_LIST));
        EXPECT_EQ("Carl", Selected(Control(IDC_PROFILE_LIST)));
        Click(IDC_BROWSE);
        Type(IDC_REDIAL_EDIT, "abc");
        Press(PSBTN_FINISH);
      },
  }));
  EXPECT_EQ("CompuServe 2000 Setup", group);
  EXPECT_EQ("Location of CompuServe Browser", label);
  EXPECT_EQ("C:\\cs\\cs.exe", path);
  EXPECT_EQ("4", redial);
  EXPECT_EQ("Carl", selected);
  EXPECT_EQ("3", typeAfterScreenName);
  EXPECT_EQ("CompuServe 2000 Setup - Screen Name", dialogGroup);
  EXPECT_EQ((std::vector<std::string>{"Carl"}), afterCancel);
  EXPECT_EQ((std::vector<std::string>{"Carl", "Finn"}), afterOk);
  EXPECT_EQ((std::vector<std::string>{"Nothing to add! Please enter the string you wish to add.",
                                      "Nothing to delete."}),
            BoxTexts());
  // Additions and deletions stayed stored although the first dialog was cancelled.
  EXPECT_TRUE(testreg::ValueExists(cs + "\\ScreenNames", "Carl"));
  EXPECT_FALSE(testreg::ValueExists(cs + "\\ScreenNames", "Dana"));
  EXPECT_TRUE(testreg::ValueExists(cs + "\\ScreenNames", "Eve"));
  EXPECT_TRUE(testreg::ValueExists(cs + "\\ScreenNames", "Finn"));
  EXPECT_EQ("C:\\cs\\new.exe", Stored(cs, "AOLProgramPath"));
  EXPECT_EQ("0", Stored(cs, "Redial"));
  EXPECT_EQ("Carl", Stored(cs, "DefaultScreenName"));
  EXPECT_EQ("3", Stored(kDialUpProfile, "DialUpType"));
  EXPECT_EQ("1", Stored(kDialUpProfile, "TuneUp Type"));
  // America Online's settings were not touched.
  EXPECT_EQ(std::string("C:\\aol\\aol.exe") + '\0', Stored(aol, "AOLProgramPath"));
  EXPECT_EQ("<none>", Stored(aol, "DefaultScreenName"));
}

TEST_F(ConfigWizardTest, AnotherProviderReplacesThePagesAndTheAolRedialTextLastsTheProcess) {
  LabPhonebookFile book({"Lab ISP"});
  testreg::WriteDword(Key("America Online"), "Redial", 5);
  std::vector<int> templates;
  std::string firstRedial;
  Run(Then(ToProviderPage(), {
      [&] { ChooseProvider("America Online"); Press(PSBTN_NEXT); },
      [&] { firstRedial = Text(IDC_REDIAL_EDIT); Type(IDC_REDIAL_EDIT, "42"); Press(PSBTN_BACK); },
      [&] { ChooseProvider("Windows Dial-Up Networking"); Press(PSBTN_NEXT); },
      [&] {
        for (int i = 0; i < sheet_->PageCount(); ++i) templates.push_back(sheet_->GetPage(i)->TemplateId());
        Press(PSBTN_CANCEL);
      },
  }));
  EXPECT_EQ("5", firstRedial);
  EXPECT_EQ((std::vector<int>{IDD_WIZARD_WELCOME, IDD_WIZARD_TUNEUP_TYPE, IDD_WIZARD_PROVIDER,
                              IDD_WIZARD_PROFILE, IDD_WIZARD_WEB_ADDRESS}),
            templates);
  // Cancel wrote nothing.
  EXPECT_EQ("<none>", Stored(kDialUpProfile, "DialUpType"));

  std::string secondRedial;
  Run(Then(ToProviderPage(), {[&] { ChooseProvider("America Online"); Press(PSBTN_NEXT); },
                              [&] { secondRedial = Text(IDC_REDIAL_EDIT); Press(PSBTN_FINISH); }}));
  EXPECT_EQ("42", secondRedial);
  EXPECT_EQ("42", Stored(Key("America Online"), "Redial"));
}

TEST_F(ConfigWizardTest, DialerPathPageOffersTheDefaultWritesTheChoiceAtOnceAndRemembersBack) {
  testreg::WriteText("SOFTWARE\\Juno\\Juno", "exe", "C:\\Juno\\juno.exe");
  testreg::WriteText("SOFTWARE\\AT&T\\WNClient", "Path", "C:\\ATT");
  const std::string juno = Key("Juno");
  struct PageLook {
    std::string group, label, path, redial;
    bool checked = false, editEnabled = false;
  };
  std::vector<PageLook> shown;
  std::string defaultAtFirst, defaultAfterClear;
  auto look = [&] {
    shown.push_back({Text(IDC_DIALER_GROUP), Text(IDC_DIALER_LABEL), Text(IDC_DIALER_PATH_EDIT),
                     Text(IDC_REDIAL_EDIT),
                     SendMessageA(Control(IDC_DEFAULT_DIALER_PATH), BM_GETCHECK, 0, 0) == BST_CHECKED,
                     IsWindowEnabled(Control(IDC_DIALER_PATH_EDIT)) != FALSE});
  };
  Run(Then(ToProviderPage(), {
      [&] { ChooseProvider("Juno"); Press(PSBTN_NEXT); },
      [&] {
        look();
        defaultAtFirst = Stored(juno, "Default Dialer Path");
        Click(IDC_DEFAULT_DIALER_PATH);
        defaultAfterClear = Stored(juno, "Default Dialer Path");
        Type(IDC_DIALER_PATH_EDIT, "D:\\j.exe");
        Type(IDC_REDIAL_EDIT, "6");
        Press(PSBTN_BACK);
      },
      [&] { Press(PSBTN_NEXT); },  // Juno again: the page as it was left
      [&] { look(); Press(PSBTN_BACK); },
      [&] { ChooseProvider("AT&T WorldNet"); Press(PSBTN_NEXT); },
      [&] { look(); Press(PSBTN_BACK); },
      [&] { ChooseProvider("Juno"); Press(PSBTN_NEXT); },  // another kind was left last: read again
      [&] {
        look();
        Click(IDC_DEFAULT_DIALER_PATH);
        Type(IDC_DIALER_PATH_EDIT, "E:\\juno.exe");
        SetWindowTextA(Control(IDC_REDIAL_EDIT), "99999999999");
        Press(PSBTN_FINISH);
      },
  }));
  ASSERT_EQ(4u, shown.size());
  EXPECT_EQ("Juno Setup", shown[0].group);
  EXPECT_EQ("Juno Dialer Path:", shown[0].label);
  EXPECT_EQ("C:\\Juno\\juno.exe", shown[0].path);
  EXPECT_EQ("10", shown[0].redial);
  EXPECT_TRUE(shown[0].checked);
  EXPECT_FALSE(shown[0].editEnabled);
  EXPECT_EQ("1", defaultAtFirst);
  EXPECT_EQ("0", defaultAfterClear);
  EXPECT_EQ("D:\\j.exe", shown[1].path);
  EXPECT_EQ("6", shown[1].redial);
  EXPECT_FALSE(shown[1].checked);
  EXPECT_TRUE(shown[1].editEnabled);
  EXPECT_EQ("AT&T WorldNet Setup", shown[2].group);
  EXPECT_EQ("AT&T WorldNet Dialer Path:", shown[2].label);
  EXPECT_EQ("C:\\ATT\\Programs\\WNConnect.exe", shown[2].path);
  EXPECT_TRUE(shown[2].checked);
  EXPECT_EQ("C:\\Juno\\juno.exe", shown[3].path);
  EXPECT_EQ("6", Stored(kDialUpProfile, "DialUpType"));
  EXPECT_EQ("E:\\juno.exe", Stored(juno, "Dialer Path"));
  // The edit takes ten digits; a count beyond the 32-bit range stops at its end.
  EXPECT_EQ("2147483647", Stored(juno, "Redial"));
  EXPECT_EQ("0", Stored(juno, "Default Dialer Path"));
}

TEST_F(ConfigWizardTest, AnEmptyOrUnreadablePhoneBookAndARefusedWriteAreReported) {
  size_t listed = 1;
  int pageAfterNext = 0;
  const std::vector<ModalSteps::Step> toProfilePage =
      Then(ToProviderPage(), {[&] { ChooseProvider("Windows Dial-Up Networking"); Press(PSBTN_NEXT); },
                              [&] { listed = Items(Control(IDC_PROFILE_LIST)).size(); Press(PSBTN_NEXT); },
                              [&] { pageAfterNext = PageId(); }});
  {
    LabPhonebookFile empty({});
    Run(toProfilePage);
  }
  // A phone book RAS cannot read, although it holds an entry: the error, and nothing listed.
  {
    LabPhonebookFile book({"Lab ISP"});
    ScopedEnvironment unreadable("VELOTUNE_LAB_PHONEBOOK_ERROR", "621");
    listed = 1;
    Run(toProfilePage);
  }
  EXPECT_EQ(0u, listed);
  EXPECT_EQ(IDD_WIZARD_PROFILE, pageAfterNext);
  const std::string noProfile = "Sorry, unable to proceed on because there is no Dial-Up Profile setup.";
  EXPECT_EQ((std::vector<std::string>{
                "You have not setup your DialUp profile.  Please setup your Dial-Up profile and run this "
                "Configuration wizard again",
                noProfile, "Error in retrieving the Dial-Up Profiles in your computer", noProfile}),
            BoxTexts());
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes_.Boxes().back().type & MB_ICONMASK);

  // A provider key that may only be read: the first write fails, nothing more is written.
  LabPhonebookFile book({"Lab ISP"});
  const std::string provider = Key("Windows Dial-Up Networking");
  testreg::CreateKey(provider);
  testreg::SetReadOnly(provider, true);
  const std::string longLogin(1000, 'L');
  Run(Then(ToProviderPage(), {
      [&] { ChooseProvider("Windows Dial-Up Networking"); Press(PSBTN_NEXT); },
      [&] {
        // Text set from outside passes the edit's limit; what is taken is cut to what can be stored.
        SetWindowTextA(Control(IDC_LOGIN_EDIT), longLogin.c_str());
        Press(PSBTN_NEXT);
      },
      [&] { Press(PSBTN_FINISH); },
  }));
  testreg::SetReadOnly(provider, false);
  const std::vector<MessageBoxRequest> boxes = boxes_.Boxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ("Unable to save the configuration you made", boxes.back().text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.back().type & MB_ICONMASK);
  EXPECT_EQ("<none>", Stored(kDialUpProfile, "DialUpType"));
  EXPECT_EQ("<none>", Stored(provider, "Default Profile"));

  // With the key writable again the long login is stored cut to what reads back.
  Run(Then(ToProviderPage(), {
      [&] { ChooseProvider("Windows Dial-Up Networking"); Press(PSBTN_NEXT); },
      [&] { SetWindowTextA(Control(IDC_LOGIN_EDIT), longLogin.c_str()); Press(PSBTN_NEXT); },
      [&] { Press(PSBTN_FINISH); },
  }));
  EXPECT_EQ(std::string(255, 'L'), Stored(provider + "\\Lab ISP", "Login"));
  std::string login, password;
  EXPECT_EQ(0, CDialUpProfile(1).GetLoginPassword("Lab ISP", login, password));
  EXPECT_EQ(255u, login.size());
}

TEST_F(ConfigWizardTest, OddStoredValuesChooseNothingAndLongListsAreListedWhole) {
  LabPhonebookFile book(LabPhonebookFile::NumberedEntries(30));
  testreg::WriteText(kDialUpProfile, "TuneUp Type", "2");
  testreg::WriteDword(kDialUpProfile, "DialUpType", 42);
  CDialUpProfile earthLink(7);
  earthLink.SetDefaultProfile("Vanished ISP");
  earthLink.SetLoginPassword("Vanished ISP", "@x", "pw");
  earthLink.SetRedial("Vanished ISP", 2);
  for (int i = 0; i < 45; ++i) testreg::WriteText(Key("America Online\\ScreenNames"), "Name " + std::to_string(i), "");
  bool typeChosen = true;
  LRESULT provider = 0;
  size_t entries = 0, screenNames = 0;
  std::string profile, login, domain;
  Run({
      [&] { Press(PSBTN_NEXT); },
      [&] {
        for (int id : {IDC_TUNEUP_EXPRESS, IDC_TUNEUP_MODERATE, IDC_TUNEUP_EXHAUSTIVE}) {
          typeChosen = typeChosen && SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
        Click(IDC_TUNEUP_EXPRESS);
        Press(PSBTN_NEXT);
      },
      [&] {
        provider = SendMessageA(Control(IDC_PROVIDER_LIST), LB_GETCURSEL, 0, 0);
        ChooseProvider("EarthLink");
        Press(PSBTN_NEXT);
      },
      [&] {
        entries = Items(Control(IDC_PROFILE_LIST)).size();
        profile = Selected(Control(IDC_PROFILE_LIST));
        login = Text(IDC_LOGIN_EDIT);
        domain = Selected(Control(IDC_DOMAIN_LIST));
        Press(PSBTN_BACK);
      },
      [&] { ChooseProvider("America Online"); Press(PSBTN_NEXT); },
      [&] { screenNames = Items(Control(IDC_PROFILE_LIST)).size(); },
  });
  EXPECT_FALSE(typeChosen);
  EXPECT_EQ(LB_ERR, provider);
  EXPECT_EQ(30u, entries);
  EXPECT_EQ("<none>", profile);  // the default names an entry that is gone
  EXPECT_EQ("", login);
  EXPECT_EQ("<none>", domain);  // "x" is none of the service's domains
  EXPECT_EQ(45u, screenNames);
}

}  // namespace
