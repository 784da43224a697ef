// The dial-up profile record against Wine's real registry, and its phone-book
// listing through the lab's RAS stand-in.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/StatusCodes.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/RegistryNames.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/RegistryFixture.h"

namespace {

const std::string kProfiles = std::string(regnames::kProgramKey) + "\\DialUp Profile";
const std::string kDunKey = kProfiles + "\\Windows Dial-Up Networking";
const std::string kNetZeroKey = kProfiles + "\\NetZero";

class DialUpProfileTest : public RegistryTest {
 protected:
  static std::vector<BYTE> Stored(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(testreg::ReadRaw(key, name, type, data)) << key << " " << name;
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    return data;
  }

  CDialUpProfile dun_{kProviderDialUpNetworking, kOsWindows98};
  CDialUpProfile netZero_{kProviderNetZero, kOsWindows98};
};

std::vector<BYTE> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST_F(DialUpProfileTest, DialUpKindsKeepValuesPerEntryOthersInTheProviderKey) {
  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "jdoe", "abc"));
  ASSERT_EQ(status::kOk, dun_.SetUrl("Home", "www.example.com"));
  ASSERT_EQ(status::kOk, dun_.SetRedial("Home", 5));
  EXPECT_EQ(Bytes("jdoe"), Stored(kDunKey + "\\Home", "Login"));
  EXPECT_EQ((std::vector<BYTE>{'a' + 197 - 256, 'b' + 197 - 256, 'c' + 197 - 256}),
            Stored(kDunKey + "\\Home", "Password"));
  EXPECT_EQ(Bytes("www.example.com"), Stored(kDunKey + "\\Home", "URL"));
  EXPECT_EQ(Bytes("5"), Stored(kDunKey + "\\Home", "Redial"));

  ASSERT_EQ(status::kOk, netZero_.SetLoginPassword("Home", "nz", "pw"));
  EXPECT_EQ(Bytes("nz"), Stored(kNetZeroKey, "Login"));
  EXPECT_FALSE(testreg::KeyExists(kNetZeroKey + "\\Home"));
  std::string login, password;
  ASSERT_EQ(status::kOk, netZero_.GetLoginPassword("Other entry", login, password));
  EXPECT_EQ("nz", login);
  EXPECT_EQ("pw", password);

  // The same record object follows a change of kind.
  CDialUpProfile record(kProviderMsn, kOsWindows98);
  record.SetKind(kProviderNetZero);
  ASSERT_EQ(status::kOk, record.GetLoginPassword("", login, password));
  EXPECT_EQ("nz", login);
}

TEST_F(DialUpProfileTest, PasswordsOfEveryByteValueSurviveTheRoundTrip) {
  // ';' is the byte the shift carries to zero; it stands inside and at the end.
  std::vector<std::string> passwords = {"", ";", "a;b", "semi;", ";;"};
  std::string low, high;
  for (int byte = 0; byte < 128; ++byte) low.push_back(static_cast<char>(byte));
  for (int byte = 128; byte < 256; ++byte) high.push_back(static_cast<char>(byte));
  passwords.push_back(low);
  passwords.push_back(high);
  passwords.push_back(std::string(254, ';'));
  for (const std::string& password : passwords) {
    ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "user", password));
    std::string login, readBack = "stale";
    ASSERT_EQ(status::kOk, dun_.GetLoginPassword("Home", login, readBack));
    EXPECT_EQ(password, readBack) << "password of " << password.size() << " bytes";
  }
  // An empty password is stored as an empty text.
  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "user", ""));
  EXPECT_TRUE(Stored(kDunKey + "\\Home", "Password").empty());
}

TEST_F(DialUpProfileTest, AFinalZeroByteIsATerminatorUnlessTheWriterDoubledIt) {
  const std::string home = kDunKey + "\\Home";
  const auto read = [this](std::string& password) {
    std::string login;
    return dun_.GetLoginPassword("Home", login, password);
  };
  std::string password;

  // An ordinary password: stored exactly, and read the same with a terminator.
  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "user", "secret"));
  const std::vector<BYTE> obscured = Stored(home, "Password");
  EXPECT_EQ(6u, obscured.size());
  std::vector<BYTE> terminated = obscured;
  terminated.push_back(0);
  testreg::WriteRaw(home, "Password", REG_SZ, terminated);
  ASSERT_EQ(status::kOk, read(password));
  EXPECT_EQ("secret", password);

  // A password ending in the byte the shift carries to zero gets one zero more.
  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "user", "semi;"));
  std::vector<BYTE> semi = Stored(home, "Password");
  ASSERT_EQ(6u, semi.size());
  EXPECT_EQ(0, semi[4]);
  EXPECT_EQ(0, semi[5]);
  ASSERT_EQ(status::kOk, read(password));
  EXPECT_EQ("semi;", password);

  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "user", ";"));
  EXPECT_EQ((std::vector<BYTE>{0, 0}), Stored(home, "Password"));
  ASSERT_EQ(status::kOk, read(password));
  EXPECT_EQ(";", password);

  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", "user", ""));
  EXPECT_TRUE(Stored(home, "Password").empty());
  password = "stale";
  ASSERT_EQ(status::kOk, read(password));
  EXPECT_EQ("", password);
  testreg::WriteRaw(home, "Password", REG_SZ, {0});
  ASSERT_EQ(status::kOk, read(password));
  EXPECT_EQ("", password);
}

TEST_F(DialUpProfileTest, TextsThatCouldNotBeReadBackAreRefusedAndNothingIsWritten) {
  const std::string home = kDunKey + "\\Home";
  const std::string fits(255, 'f');
  const std::string tooLong(256, 'l');
  // Nothing at all yet: a refused write does not even create the keys.
  EXPECT_EQ(status::kRegistryWriteFailed, dun_.SetLoginPassword("Home", tooLong, "pw"));
  EXPECT_EQ(status::kRegistryWriteFailed, dun_.SetUrl("Home", tooLong));
  EXPECT_EQ(status::kRegistryWriteFailed, dun_.SetDefaultProfile(tooLong));
  EXPECT_FALSE(testreg::KeyExists(kDunKey));
  EXPECT_EQ(status::kRegistryWriteFailed, dun_.SetDialerPath(kProviderJuno, tooLong));
  EXPECT_FALSE(testreg::KeyExists(kProfiles));

  // Over values that are there, which stay as they were.
  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Home", fits, std::string(254, ';')));
  ASSERT_EQ(status::kOk, dun_.SetUrl("Home", fits));
  EXPECT_EQ(status::kRegistryWriteFailed, dun_.SetLoginPassword("Home", "new", tooLong));
  // 255 of the byte the shift carries to zero need 256 stored bytes.
  EXPECT_EQ(status::kRegistryWriteFailed,
            dun_.SetLoginPassword("Home", "new", std::string(255, ';')));
  EXPECT_EQ(status::kRegistryWriteFailed, dun_.SetUrl("Home", tooLong));
  std::string login, password, url;
  ASSERT_EQ(status::kOk, dun_.GetLoginPassword("Home", login, password));
  EXPECT_EQ(fits, login);
  EXPECT_EQ(std::string(254, ';'), password);
  ASSERT_EQ(status::kOk, dun_.GetUrl("Home", url));
  EXPECT_EQ(fits, url);

  CSettingsStore store(kOsWindows98);
  EXPECT_EQ(status::kRegistryWriteFailed,
            store.SetString(HKEY_LOCAL_MACHINE, kProfiles + "\\Long", "Text", tooLong));
  EXPECT_FALSE(testreg::KeyExists(kProfiles + "\\Long"));

  // The AOL and CompuServe clients' texts, screen names included.
  store.SetProviderKind(kProviderAmericaOnline);
  CAolSettings aol(kOsWindows98);
  EXPECT_EQ(status::kRegistryWriteFailed, aol.SetProgramPath(tooLong));
  EXPECT_EQ(status::kRegistryWriteFailed, aol.SetDefaultScreenName(tooLong));
  EXPECT_EQ(status::kRegistryWriteFailed, aol.AddScreenName(tooLong));
  EXPECT_FALSE(testreg::KeyExists(kProfiles + "\\America Online"));
  ASSERT_EQ(status::kOk, aol.AddScreenName(fits));
  std::vector<std::string> names;
  ASSERT_EQ(status::kOk, aol.ListScreenNames(names));
  EXPECT_EQ(std::vector<std::string>{fits}, names);
}

TEST_F(DialUpProfileTest, UrlOfTheDefaultProfileNeedsOne) {
  std::string url = "stale";
  EXPECT_EQ(status::kNoDefaultProfile, dun_.GetUrl("", url));
  ASSERT_EQ(status::kOk, dun_.SetDefaultProfile(""));
  EXPECT_EQ(status::kNoDefaultProfile, dun_.GetUrl("", url));

  ASSERT_EQ(status::kOk, dun_.SetDefaultProfile("Office"));
  EXPECT_EQ(status::kRegistryKeyNotFound, dun_.GetUrl("", url));
  ASSERT_EQ(status::kOk, dun_.SetLoginPassword("Office", "u", "p"));
  EXPECT_EQ(status::kRegistryQueryFailed, dun_.GetUrl("", url));
  ASSERT_EQ(status::kOk, dun_.SetUrl("Office", "http://lab.test/page.html"));
  ASSERT_EQ(status::kOk, dun_.GetUrl("", url));
  EXPECT_EQ("http://lab.test/page.html", url);

  std::string entry;
  ASSERT_EQ(status::kOk, dun_.GetDefaultProfile(entry));
  EXPECT_EQ("Office", entry);
}

TEST_F(DialUpProfileTest, RedialCountIsItsDecimalText) {
  int count = -1;
  EXPECT_EQ(status::kRegistryKeyNotFound, dun_.GetRedial("Home", count));
  ASSERT_EQ(status::kOk, dun_.SetRedial("Home", 3));
  ASSERT_EQ(status::kOk, dun_.GetRedial("Home", count));
  EXPECT_EQ(3, count);
  testreg::WriteText(kDunKey + "\\Home", "Redial", "often");
  ASSERT_EQ(status::kOk, dun_.GetRedial("Home", count));
  EXPECT_EQ(0, count);
  testreg::WriteText(kDunKey + "\\Home", "Redial", "99999999999");
  ASSERT_EQ(status::kOk, dun_.GetRedial("Home", count));
  EXPECT_EQ(2147483647, count);
  testreg::WriteDword(kDunKey + "\\Home", "Redial", 4);
  EXPECT_EQ(status::kRegistryQueryFailed, dun_.GetRedial("Home", count));
}

TEST_F(DialUpProfileTest, DialerPathOfClientProvidersInTheirKeyOthersInTheProfilesKey) {
  ASSERT_EQ(status::kOk, dun_.SetDialerPath(kProviderJuno, "C:\\Juno\\juno.exe"));
  ASSERT_EQ(status::kOk, dun_.SetDialerPath(kProviderAmericaOnline, "C:\\aol\\waol.exe"));
  EXPECT_EQ(Bytes("C:\\Juno\\juno.exe"), Stored(kProfiles + "\\Juno", "Dialer Path"));
  EXPECT_EQ(Bytes("C:\\aol\\waol.exe"), Stored(kProfiles, "Dialer Path"));
  std::string path;
  ASSERT_EQ(status::kOk, netZero_.GetDialerPath(kProviderJuno, path));
  EXPECT_EQ("C:\\Juno\\juno.exe", path);
  EXPECT_EQ(status::kRegistryQueryFailed, netZero_.GetDialerPath(kProviderAttWorldNet, path));
}

TEST_F(DialUpProfileTest, OddDataAndUnknownKindsGiveCodesAndWriteNothing) {
  CDialUpProfile unknown(42, kOsWindows98);
  EXPECT_EQ(status::kRegistryCreateFailed, unknown.SetDefaultProfile("Home"));
  EXPECT_EQ(status::kRegistryCreateFailed, unknown.SetLoginPassword("Home", "u", "p"));
  std::string text;
  EXPECT_EQ(status::kRegistryKeyNotFound, unknown.GetDefaultProfile(text));
  EXPECT_FALSE(testreg::KeyExists(kProfiles));

  const std::string home = kDunKey + "\\Home";
  testreg::WriteDword(home, "Login", 1);
  std::string login, password;
  EXPECT_EQ(status::kRegistryQueryFailed, dun_.GetLoginPassword("Home", login, password));
  testreg::WriteText(home, "Login", "jdoe");
  testreg::WriteRaw(home, "Password", REG_BINARY, {1, 2, 3});
  EXPECT_EQ(status::kRegistryQueryFailed, dun_.GetLoginPassword("Home", login, password));
  EXPECT_EQ("jdoe", login);
  testreg::WriteRaw(home, "Password", REG_SZ, std::vector<BYTE>(256, 'x'));
  EXPECT_EQ(status::kRegistryQueryFailed, dun_.GetLoginPassword("Home", login, password));
  testreg::WriteText(home, "URL", std::string(300, 'u'));
  EXPECT_EQ(status::kRegistryQueryFailed, dun_.GetUrl("Home", text));
}

TEST_F(DialUpProfileTest, ListsEveryPhonebookEntryEvenWhenTheFirstBufferIsTooSmall) {
  LabPhonebookFile phonebook(LabPhonebookFile::NumberedEntries(30));
  std::vector<std::string> entries = {"kept"};
  ASSERT_EQ(status::kOk, dun_.ListPhonebookEntries(entries));
  std::vector<std::string> expected = {"kept"};
  for (const std::string& name : LabPhonebookFile::NumberedEntries(30)) expected.push_back(name);
  EXPECT_EQ(expected, entries);
  EXPECT_NE(nullptr, GetModuleHandleA("rasapi32.dll")) << "stays loaded after a listing";
}

TEST_F(DialUpProfileTest, AnEmptyPhonebookListsNothing) {
  LabPhonebookFile phonebook({});
  std::vector<std::string> entries;
  ASSERT_EQ(status::kOk, dun_.ListPhonebookEntries(entries));
  EXPECT_TRUE(entries.empty());
  LabPhonebookFile one({"Only"});
  ASSERT_EQ(status::kOk, dun_.ListPhonebookEntries(entries));
  EXPECT_EQ(std::vector<std::string>{"Only"}, entries);
}

}  // namespace
