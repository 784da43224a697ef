// The restore mark against Wine's real registry: a run that ends with test
// values in effect leaves the mark, the next start puts the user's values
// back byte for byte, a restore the registry refuses half-way keeps the mark
// and names what failed, and the start after that finishes the job.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "tests/support/AutoRecord.h"
#include "settings/AolSettings.h"
#include "settings/RegistryNames.h"
#include "settings/RestoreMark.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"

namespace {

using testsupport::AutoRecord;

const std::string kNt = "SYSTEM\\CurrentControlSet\\Services";

// Every TCP/IP and AOL place the tests lay out.
RegistryValueMap UserState() {
  RegistryValueMap state;
  for (const std::string& tree :
       {std::string(netlayout::kServices9x) + "\\Class", std::string(netlayout::kServices9x) + "\\VxD",
        kNt + "\\Tcpip", kNt + "\\NdisWan", std::string("SOFTWARE\\America Online"),
        std::string("Enum")}) {
    for (const auto& [name, value] : FlattenValues(tree)) state[tree + name] = value;
  }
  return state;
}

// One start of the program as far as the mark goes: the boxes it showed.
std::vector<MessageBoxRequest> StartUp(int family) {
  MessageBoxRecorder boxes;
  CRestoreMark(CSettingsStore(family)).RestoreAfterUnfinishedRun(nullptr);
  return boxes.Boxes();
}

bool Mentions(const MessageBoxRequest& box, const std::string& text) {
  return box.text.find(text) != std::string::npos;
}

class RestoreMarkTest : public RegistryTest {
 protected:
  // A tune-up's writes on `family` after the backup, then a kill: the mark
  // stays. The start-up meets `refusedKey` read-only, as a registry that
  // refuses a write mid-restore, and the start after that finds it writable.
  static void ExpectKilledRunRestoredInTwoStarts(int family, const std::string& refusedKey,
                                                 const std::string& restoredFirstKey) {
    const RegistryValueMap before = UserState();
    CSettingsStore store(family);
    store.SetProviderKind(kProviderDialUpNetworking);
    ASSERT_EQ(status::kOk, store.Backup());
    CRestoreMark mark(store);
    EXPECT_EQ(0u, mark.Read());
    ASSERT_EQ(status::kOk, mark.Set());
    EXPECT_EQ(CRestoreMark::kTcpipValues, mark.Read());
    store.Write(AutoRecord(kParameterMtu, 576));
    store.Write(AutoRecord(kParameterRwin, 4288));
    store.Write(AutoRecord(kParameterTtl, 64));
    const RegistryValueMap tuned = UserState();
    ASSERT_FALSE(before == tuned);

    testreg::SetReadOnly(refusedKey, true);
    std::vector<MessageBoxRequest> boxes = StartUp(family);
    testreg::SetReadOnly(refusedKey, false);
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(Mentions(boxes.back(), "could not all be put back")) << boxes.back().text;
    EXPECT_TRUE(Mentions(boxes.back(), refusedKey)) << boxes.back().text;
    EXPECT_EQ(CRestoreMark::kTcpipValues, mark.Read());
    // The restore went on past the refusal; what could be put back is back.
    const RegistryValueMap half = UserState();
    for (const auto& [name, value] : before) {
      if (name.rfind(restoredFirstKey, 0) == 0) {
        EXPECT_TRUE(half.count(name) == 1 && half.at(name) == value) << name;
      }
    }

    boxes = StartUp(family);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_TRUE(Mentions(boxes[0], "have been put back")) << boxes[0].text;
    EXPECT_EQ("Velotune", boxes[0].caption);
    EXPECT_EQ(0u, mark.Read());
    const RegistryValueMap after = UserState();
    EXPECT_TRUE(before == after) << DescribeDifferences(before, after);
    // A clean state says nothing at the next start.
    EXPECT_TRUE(StartUp(family).empty());
  }
};

TEST_F(RestoreMarkTest, Windows98RunKilledWithTestValuesIsRestoredDespiteARefusal) {
  netlayout::LayOut(netlayout::Windows9x{});
  ExpectKilledRunRestoredInTwoStarts(kOsWindows98, netlayout::kMstcpKey,
                                     netlayout::NetTransKey(2));
}

TEST_F(RestoreMarkTest, Windows2000RunKilledWithTestValuesIsRestoredDespiteARefusal) {
  netlayout::LayOut(netlayout::Windows2000{});
  ExpectKilledRunRestoredInTwoStarts(kOsWindows2000, netlayout::kTcpipParametersKey,
                                     kNt + "\\NdisWan\\Parameters");
}

TEST_F(RestoreMarkTest, InRunRestoreClearsTheMarkOnlyWhenEveryValueReadsBack) {
  netlayout::LayOut(netlayout::Windows9x{});
  CSettingsStore store(kOsWindows98);
  store.SetProviderKind(kProviderDialUpNetworking);
  ASSERT_EQ(status::kOk, store.Backup());
  const RegistryValueMap before = UserState();
  CRestoreMark mark(store);
  mark.Set();
  store.Write(AutoRecord(kParameterTtl, 64));

  std::string difference;
  {
    MessageBoxRecorder boxes;  // the restore's own failure notice
    testreg::SetReadOnly(netlayout::kMstcpKey, true);
    EXPECT_FALSE(mark.RestoreAndVerify(false, difference));
    testreg::SetReadOnly(netlayout::kMstcpKey, false);
  }
  EXPECT_EQ("\"DefaultTTL\" in " + std::string(netlayout::kMstcpKey), difference);
  EXPECT_NE(0u, mark.Read());

  EXPECT_TRUE(mark.RestoreAndVerify(false, difference));
  EXPECT_TRUE(difference.empty());
  EXPECT_EQ(0u, mark.Read());
  EXPECT_TRUE(before == UserState());
}

TEST_F(RestoreMarkTest, AmericaOnlineRunKilledGetsItsClientAndAdapterValuesBack) {
  netlayout::LayOut(netlayout::Windows9x{});
  netlayout::AolAdapter adapter;
  netlayout::LayOut(adapter);
  netlayout::LayOutAolClient("aolsock", 1500, "user's");
  testreg::WriteDword(netlayout::AolDeviceKey(adapter), "mtu", 1400);
  const RegistryValueMap before = UserState();
  CSettingsStore store(kOsWindows98);
  store.SetProviderKind(kProviderAmericaOnline);
  ASSERT_EQ(status::kOk, store.Backup());

  CRestoreMark mark(store);
  mark.Set();
  EXPECT_EQ(CRestoreMark::kTcpipValues | CRestoreMark::kAolValues, mark.Read());
  CAolSettings aol(kOsWindows98);
  aol.SetBackMtu(576);
  aol.SetAdapterMtu(576);
  aol.SetBindingMtu(576);
  aol.SetClientMtu(576);
  store.Write(AutoRecord(kParameterRwin, 4288));
  ASSERT_FALSE(before == UserState());

  // The next start knows from the mark alone that the AOL values changed.
  const std::vector<MessageBoxRequest> boxes = StartUp(kOsWindows98);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_TRUE(Mentions(boxes[0], "have been put back")) << boxes[0].text;
  EXPECT_EQ(0u, mark.Read());
  const RegistryValueMap after = UserState();
  EXPECT_TRUE(before == after) << DescribeDifferences(before, after);
}

}  // namespace
