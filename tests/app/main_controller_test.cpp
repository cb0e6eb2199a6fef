#include "app/main_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "app/app_profiles.h"
#include "app/help_panel.h"
#include "common/file_io.h"
#include "common/machine_name.h"
#include "config/factory_profile.h"
#include "config/ini_file.h"
#include "device/fake_hid.h"
#include "keys/key_page.h"
#include "device/emulated_mouse.h"
#include "device/protocol.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

struct Balloon {
  std::string text;
  std::string title;
  int timeoutMs;
  bool operator==(const Balloon&) const = default;
};

// Records what the controller asks of the screen. Work handed over from other threads waits in a queue
// until the test runs it on its own thread, as the window's event loop would.
class RecordingView : public MainView {
 public:
  void ShowMessage(std::string_view text, std::string_view) override { calls.push_back("message " + std::string(text)); }
  void ShowCommandMessage(const CommandMessage& message) override {
    calls.push_back("command-message " + std::string(message.text) + "\n" + std::string(message.command) + "\n" +
                    std::string(message.copyLabel));
  }
  void ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) override {
    balloons.push_back({std::string(text), std::string(title), timeoutMs});
  }
  void HideWindow() override { calls.push_back("hide"); }
  void ShowWindow() override { calls.push_back("show"); }
  void SetUpWindow() override { calls.push_back("set-up"); }
  void RepaintMainWindow() override { calls.push_back("repaint"); }
  void RedrawFooter() override { calls.push_back("footer"); }
  void AddTrayIcon(std::string_view tooltip) override { calls.push_back("tray " + std::string(tooltip)); }
  bool OpenWebPage(std::string_view address) override {
    calls.push_back("open " + std::string(address));
    return browser;
  }
  void ShowHelpPanel(bool shown) override { calls.push_back(shown ? "help" : "no-help"); }
  void ShowProfileManager() override { calls.push_back("profile-manager"); }
  std::optional<MacroPages> RunMacroManager() override {
    calls.push_back("macro-manager");
    return macroPages;
  }
  std::optional<MacroPages> macroPages;
  void ShowAssignmentList(int button) override { calls.push_back("list " + std::to_string(button)); }
  void CloseAssignmentList() override { calls.push_back("close-list"); }
  void RedrawButtonLabel(int button) override { calls.push_back("label " + std::to_string(button)); }
  void RedrawPanels() override { calls.push_back("panels"); }
  std::optional<StageColour> ChooseStageColour(int stage, StageColour current) override {
    calls.push_back("colour " + std::to_string(stage));
    colourOffered = current;
    return chosenColour;
  }
  std::optional<StageColour> chosenColour;
  StageColour colourOffered{};
  std::optional<std::string> RunSingleKeyDialog() override { return singleKey; }
  std::optional<ComboKeyResult> RunComboKeyDialog() override { return comboKey; }
  std::optional<MacroKeyResult> RunMacroKeyDialog(const std::vector<std::string>& names) override {
    macroNamesShown = names;
    return macroKey;
  }
  std::optional<std::string> singleKey;
  std::optional<ComboKeyResult> comboKey;
  std::optional<MacroKeyResult> macroKey;
  std::vector<std::string> macroNamesShown;
  std::optional<std::filesystem::path> ChooseProfileFile(bool save, std::string_view profileName) override {
    calls.push_back(save ? "choose-save " + std::string(profileName) : "choose-open");
    return chosenFile;
  }
  bool Confirm(std::string_view question, std::string_view) override {
    calls.push_back("confirm " + std::string(question));
    return confirmAnswer;
  }
  std::optional<std::filesystem::path> chosenFile;
  bool confirmAnswer = true;
  bool browser = true;
  Status StartProgram(const std::filesystem::path& program) override {
    calls.push_back("start " + program.string());
    return Status::Ok();
  }
  void SetWaitCursor(bool wait) override { calls.push_back(wait ? "wait-cursor" : "arrow-cursor"); }
  void StartTimer(MainTimer timer, int) override { calls.push_back("start-timer " + std::to_string(int(timer))); }
  void StopTimer(MainTimer timer) override { calls.push_back("stop-timer " + std::to_string(int(timer))); }
  void Quit() override { calls.push_back("quit"); }

  void RunOnWindowThread(std::function<void()> work, bool wait) override {
    std::unique_lock lock(mutex_);
    const long ticket = ++queued_;
    pending_.push_back(std::move(work));
    changed_.notify_all();
    if (wait) changed_.wait(lock, [&] { return ran_ >= ticket || closing_; });
  }

  // Runs handed-over work until `done` holds, then whatever is queued by then; false when `done` still
  // does not hold after a deadline no loaded machine reaches.
  bool RunUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::unique_lock lock(mutex_);
    while (!done()) {
      if (!changed_.wait_until(lock, deadline, [&] { return !pending_.empty(); })) return false;
      RunFirst(lock);
    }
    while (!pending_.empty()) RunFirst(lock);
    return true;
  }

  void Close() {
    std::lock_guard lock(mutex_);
    closing_ = true;
    changed_.notify_all();
  }

  std::vector<std::string> calls;
  std::vector<Balloon> balloons;

 private:
  void RunFirst(std::unique_lock<std::mutex>& lock) {
    auto work = std::move(pending_.front());
    pending_.pop_front();
    lock.unlock();
    work();
    lock.lock();
    ++ran_;
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> pending_;
  long queued_ = 0;
  long ran_ = 0;
  bool closing_ = false;
};

class MainControllerTest : public ::testing::Test {
 protected:
  ~MainControllerTest() override { view.Close(); }

  MainController& Make() {
    controller = std::make_unique<MainController>(ProgramFolder(folder.path()), mouse.backend(), view,
                                                  [](std::chrono::milliseconds) {});
    controller->link().SetTrace([this](const TransportOp& op) {
      if (op.kind == TransportOp::Kind::SetFeature || op.kind == TransportOp::Kind::Write) sent.push_back(op.bytes);
    });
    return *controller;
  }

  testing::FactoryFolder folder;
  EmulatedMouse mouse;
  RecordingView view;
  std::vector<std::vector<Byte>> sent;  // feature reports and output reports, as sent
  std::unique_ptr<MainController> controller;  // last: it stops its reader before the view goes
};

TEST_F(MainControllerTest, StartUpSendsOnlyReadProfileThenAttach) {
  Make().Start();
  EXPECT_TRUE(controller->connected());
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0][1], CMD_READ_PROFILE);
  EXPECT_EQ(sent[1][1], CMD_ATTACH);
  EXPECT_EQ(sent[1][2], ATTACH_BYTE);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"set-up", "repaint", "tray Tellurix Korvane"}));
  EXPECT_TRUE(view.balloons.empty());
  EXPECT_EQ(controller->savedConfig(), controller->config());
  EXPECT_EQ(controller->skin().folder, folder.path() / "Skins" / "Default");
}

TEST_F(MainControllerTest, StartWithoutTheMouseSendsNothingAndStillShowsTheWindow) {
  mouse.Unplug();
  Make().Start();
  EXPECT_FALSE(controller->connected());
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(view.calls, (std::vector<std::string>{"set-up", "repaint", "tray Tellurix Korvane"}));
  EXPECT_TRUE(view.balloons.empty());
}

TEST_F(MainControllerTest, LanguageComesFromLanOfTheLabelFile) {
  for (const char* name : {"str.ini", "str0.ini", "str1.ini", "str2.ini", "str3.ini", "str4.ini", "str5.ini"}) {
    ASSERT_TRUE(IniFile(folder.File(name)).Write("Skins", "Lan", "CHT"));
  }
  Make().Start();
  EXPECT_EQ(controller->language(), Language::TraditionalChinese);
  EXPECT_EQ(controller->strings().reset, "\xE6\x81\xA2\xE5\xBE\xA9");  // 恢復
}

TEST_F(MainControllerTest, FirstRunGivesTheButtonsTheDefaultLabelsOfTheLanguage) {
  for (const char* name : {"str.ini", "str0.ini", "str1.ini", "str2.ini", "str3.ini", "str4.ini", "str5.ini"}) {
    ASSERT_TRUE(IniFile(folder.File(name)).Write("Skins", "Lan", "CHS"));
  }
  Make().Start();
  EXPECT_EQ(controller->labels(), DefaultLabels("CHS"));
  EXPECT_EQ(IniFile(folder.File("str0.ini")).Read("Setting-CHS", "Item1"), DefaultLabels("CHS")[0]);
  EXPECT_FALSE(controller->HasUnsavedEdits());
}

TEST_F(MainControllerTest, DeviceEventsBecomeBalloons) {
  Make().Start();
  const DevicePage page = mouse.memory().settingsPage;
  const auto stageText = [&](int stage, const char* sentence) {
    return std::string(sentence) + std::to_string(50 * page[0x54 + stage - 1]);
  };
  struct Row {
    DeviceEvent event;
    std::vector<Balloon> balloons;
  };
  const Row rows[] = {
      {{1, 2}, {{stageText(2, "Switch CPI into the second stage "), "Info", 5000}}},
      {{2, 1}, {{stageText(1, "Switch CPI into the first stage "), "Info", 5000}}},
      {{3, 1}, {{stageText(1, "Switch CPI into the first stage "), "Info", 5000}}},
      {{3, 6}, {{stageText(6, "Switch CPI into the sixth stage "), "Info", 5000}}},
      {{9, 3}, {{"Switch to macro key3", "Info", 5000}}},
      {{1, 7}, {}},
      {{1, 0}, {}},
      {{9, 0}, {}},
      {{4, 1}, {}},
      {{EVENT_MOUSE_FOUND, 0}, {{"The system detect the gaming mouse.", "Info", 100}}},
      {{EVENT_MOUSE_LOST, 0}, {{"The system did not detect the gaming mouse!", "Warning", 100}}},
  };
  for (const Row& row : rows) {
    view.balloons.clear();
    sent.clear();
    controller->OnDeviceEvent(row.event);
    EXPECT_EQ(view.balloons, row.balloons) << int(row.event.type) << "," << int(row.event.value);
    const bool stage = row.event.type <= 3 && !row.balloons.empty();
    EXPECT_EQ(sent.empty(), !stage) << int(row.event.type) << "," << int(row.event.value);
  }
}

TEST_F(MainControllerTest, StageChangeOnTheMouseReachesTheTray) {
  Make().Start();
  mouse.PressCpiButton();
  ASSERT_TRUE(view.RunUntil([&] { return !view.balloons.empty(); }));
  ASSERT_EQ(view.balloons.size(), 1u);
  EXPECT_EQ(view.balloons[0].text.rfind("Switch CPI into the second stage ", 0), 0u);
}

TEST_F(MainControllerTest, UnplugAndPlugFollowTheMouse) {
  Make().Start();
  mouse.Unplug();
  ASSERT_TRUE(view.RunUntil([&] { return !controller->connected(); }));
  EXPECT_FALSE(controller->connected());
  ASSERT_FALSE(view.balloons.empty());
  EXPECT_EQ(view.balloons.back(), (Balloon{"The system did not detect the gaming mouse!", "Warning", 100}));

  view.balloons.clear();
  view.calls.clear();
  sent.clear();
  mouse.Plug();
  ASSERT_TRUE(view.RunUntil([&] { return controller->connected(); }));
  EXPECT_TRUE(controller->connected());
  ASSERT_FALSE(view.balloons.empty());
  EXPECT_EQ(view.balloons.front(), (Balloon{"The system detect the gaming mouse.", "Info", 100}));
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[sent.size() - 1][1], CMD_ATTACH);
  EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "hide"), 0);
}

TEST_F(MainControllerTest, OneUnplugWarnsOnceAndOnePlugSaysSoOnce) {
  Make().Start();
  mouse.Unplug();
  ASSERT_TRUE(view.RunUntil([&] { return !controller->connected(); }));
  mouse.Plug();
  ASSERT_TRUE(view.RunUntil([&] { return controller->connected(); }));
  EXPECT_EQ(view.balloons, (std::vector<Balloon>{{"The system did not detect the gaming mouse!", "Warning", 100},
                                                 {"The system detect the gaming mouse.", "Info", 100}}));
}

TEST_F(MainControllerTest, RestoreWithoutTheMouseWarnsEveryTime) {
  mouse.Unplug();
  Make().Start();
  controller->OnTrayRestore();
  controller->OnTrayRestore();
  EXPECT_EQ(view.balloons.size(), 2u);
  EXPECT_EQ(view.balloons[1].title, "Warning");
  EXPECT_EQ(view.calls.back(), "show");
}

TEST_F(MainControllerTest, RestoreAfterCancelReloadsTheProfileFromDisk) {
  Make().Start();
  const MouseConfig stored = controller->config();
  controller->config().dpiStage[0] ^= 0x55;
  controller->OnTrayRestore();
  EXPECT_NE(controller->config(), stored);

  controller->setReloadOnRestore(true);
  view.calls.clear();
  controller->OnTrayRestore();
  EXPECT_EQ(controller->config(), stored);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"repaint", "show"}));
}

TEST_F(MainControllerTest, TimersEndTheSaveGuardAndTheWaitCursor) {
  Make().Start();
  view.calls.clear();
  controller->setSaveGuard(true);
  controller->OnTimer(MainTimer::kSaveGuard);
  EXPECT_FALSE(controller->saveGuard());
  controller->OnTimer(MainTimer::kSaveCursor);
  controller->OnTimer(MainTimer::kResetCursor);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"stop-timer 1", "stop-timer 3", "arrow-cursor", "stop-timer 2",
                                                  "arrow-cursor"}));
}

TEST_F(MainControllerTest, ExitLeavesTheViewFirstAndClosesTheLink) {
  Make().Start();
  controller->Exit();
  EXPECT_EQ(view.calls.back(), "quit");
  EXPECT_FALSE(controller->connected());
}

// The record stored in a profile file.
MouseConfig StoredConfig(const std::filesystem::path& path) {
  ConfigFileContent content;
  EXPECT_TRUE(ReadConfigFile(path, content)) << path;
  return content.config;
}

int UploadsSent(const std::vector<std::vector<Byte>>& sent) {
  return static_cast<int>(std::count_if(sent.begin(), sent.end(), [](const std::vector<Byte>& report) {
    return report.size() > 1 && report[1] == CMD_UPLOAD_BEGIN;
  }));
}

bool HasCall(const RecordingView& view, std::string_view prefix) {
  return std::any_of(view.calls.begin(), view.calls.end(),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
}

TEST_F(MainControllerTest, SaveUploadsOnceInTwoSecondsAndStoresTheProfile) {
  Make().Start();
  controller->config().dpiStage[1] = 32;  // 1600
  controller->Save();
  controller->Save();
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(mouse.memory().settingsPage[0x55], 32);
  EXPECT_EQ(StoredConfig(folder.File("config0.bin")).dpiStage[1], 32);
  EXPECT_EQ(controller->savedConfig(), controller->config());
  EXPECT_TRUE(HasCall(view, "wait-cursor"));

  controller->OnTimer(MainTimer::kSaveGuard);
  controller->Save();
  EXPECT_EQ(UploadsSent(sent), 2);
}

TEST_F(MainControllerTest, SaveWithoutTheMouseKeepsTheEditsWritesNothingAndWarns) {
  mouse.Unplug();
  Make().Start();
  const std::string before = folder.ReadText("config0.bin");
  controller->config().dpiStage[1] = 32;
  controller->Save();
  EXPECT_EQ(folder.ReadText("config0.bin"), before);
  EXPECT_EQ(controller->config().dpiStage[1], 32);
  EXPECT_TRUE(HasCall(view, "message The system did not detect the gaming mouse!\n\nNothing was sent or stored"));
}

TEST_F(MainControllerTest, AFailedUploadIsReportedAndNotTakenAsSaved) {
  Make().Start();
  const MouseConfig saved = controller->savedConfig();
  controller->config().dpiStage[1] = 32;
  mouse.Unplug();  // the removal notice has not been handled yet: the link still thinks it is connected
  controller->Save();
  EXPECT_TRUE(HasCall(view, "message Sending the settings to the mouse failed at the step \"upload-begin\""));
  EXPECT_EQ(controller->savedConfig(), saved);
}

TEST_F(MainControllerTest, ResetLoadsTheFactorySettingsKeepsMacrosAndSlotAndSavesIntoTheProfile) {
  mouse.Unplug();
  Make().Start();
  const std::string factory = folder.ReadText("config.bin");
  MouseConfig& config = controller->config();
  config.dpiStage[0] = 90;
  config.profileSlot = 3;
  config.macroData[4][0] = 0x55;
  controller->Reset();
  const MouseConfig defaults = StoredConfig(folder.File("config.bin"));
  EXPECT_EQ(config.dpiStage, defaults.dpiStage);
  EXPECT_EQ(config.profileSlot, 3);
  EXPECT_EQ(config.macroData[4][0], 0x55);
  EXPECT_EQ(controller->currentProfile(), 0);

  mouse.Plug();
  ASSERT_TRUE(view.RunUntil([&] { return controller->connected(); }));
  config.dpiStage[0] = 90;
  controller->Reset();
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(StoredConfig(folder.File("config0.bin")).dpiStage, defaults.dpiStage);
  EXPECT_EQ(folder.ReadText("config.bin"), factory);  // the factory file is never overwritten
}

TEST_F(MainControllerTest, ResetAsksFirstAndTheFooterSaysWhatReachedTheMouse) {
  ASSERT_TRUE(WriteProfileList(folder.File("str.ini"), {"Games", "Office"}, 0));
  Make().Start();
  EXPECT_EQ(controller->Footer().profile, "Profile: Games");
  const std::string before = folder.ReadText("config0.bin");
  controller->config().dpiStage[0] = 90;
  sent.clear();
  view.confirmAnswer = false;
  controller->Reset();
  EXPECT_TRUE(HasCall(view, "confirm Restore the factory settings of this profile?"));
  EXPECT_EQ(controller->config().dpiStage[0], 90);  // "No" keeps the window, the profile and the mouse
  EXPECT_EQ(folder.ReadText("config0.bin"), before);
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(controller->Footer().sign, "");

  view.confirmAnswer = true;
  controller->Reset();
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(controller->Footer().sign, "Factory settings restored on the mouse");
  EXPECT_TRUE(HasCall(view, "start-timer 4"));
  controller->OnTimer(MainTimer::kFooterSign);
  EXPECT_EQ(controller->Footer().sign, "");
  EXPECT_EQ(view.calls.back(), "footer");

  // Another profile shown in the window: the footer names both until that one is saved too.
  ProfileManagerModel model(ReadProfileList(folder.File("str.ini")), "Copy", "PROFILE");
  model.Select(1);
  ASSERT_TRUE(controller->CloseProfileManager(model));
  EXPECT_EQ(controller->Footer().profile, "Profile: Office  ·  the mouse has Games");
  controller->Save();
  EXPECT_EQ(controller->Footer().profile, "Profile: Office");
  EXPECT_EQ(controller->Footer().sign, "Saved to the mouse");
}

TEST_F(MainControllerTest, AWebLinkNoBrowserOpensSaysSo) {
  Make().Start();
  view.browser = false;
  MainPageState pages(MainPageState::ContentHeights{});
  controller->MainClickDispatcher(pages, kWebAddressRect.left + 5, kWebAddressRect.top + 5);
  EXPECT_TRUE(HasCall(view, "message No web browser could be started for https://tellurix.example."));
}

TEST_F(MainControllerTest, CancelRestoresTheLastSavedRecordHidesAndSendsNothing) {
  Make().Start();
  sent.clear();
  controller->config().dpiStage[2] = 70;
  controller->Cancel();
  EXPECT_EQ(controller->config(), controller->savedConfig());
  EXPECT_EQ(view.calls.back(), "hide");
  EXPECT_TRUE(sent.empty());
}

TEST_F(MainControllerTest, ThePointerSettingsFollowEveryAcceptedUploadOnly) {
  mouse.Unplug();
  Make().Start();
  int applied = 0;
  controller->setAfterUpload([&](const MouseConfig&) { ++applied; });
  controller->Save();
  controller->Reset();
  EXPECT_EQ(applied, 0);  // nothing reached the mouse

  mouse.Plug();
  ASSERT_TRUE(view.RunUntil([&] { return controller->connected(); }));
  controller->OnTimer(MainTimer::kSaveGuard);
  controller->Save();
  controller->Reset();
  EXPECT_EQ(applied, 2);
}

TEST_F(MainControllerTest, PressesRunTheCommandOfTheirRectangle) {
  Make().Start();
  MainPageState pages(MainPageState::ContentHeights{});
  sent.clear();
  view.calls.clear();
  EXPECT_TRUE(controller->MainClickDispatcher(pages, 1, 7).drags());  // nothing there: the window moves
  EXPECT_TRUE(view.calls.empty());
  EXPECT_TRUE(sent.empty());

  EXPECT_FALSE(controller->MainClickDispatcher(pages, 100, 10).drags());
  EXPECT_EQ(view.calls, (std::vector<std::string>{"open https://tellurix.example"}));

  controller->MainClickDispatcher(pages, 923, 604);  // Save, top left corner
  EXPECT_EQ(UploadsSent(sent), 1);
  controller->MainClickDispatcher(pages, 979, 620);  // below Save: nothing
  controller->MainClickDispatcher(pages, 860, 633);  // Cancel, bottom row
  EXPECT_EQ(view.calls.back(), "hide");
  controller->MainClickDispatcher(pages, 958, 5);  // Minimise
  EXPECT_EQ(view.calls.back(), "hide");
  EXPECT_EQ(UploadsSent(sent), 1);
}

TEST_F(MainControllerTest, APanelDragRedrawsAsItsValueChangesUntilTheButtonComesUp) {
  Make().Start();
  MainPageState pages(MainPageState::ContentHeights{});
  pages.Toggle(MainSection::kXYSensitivity);  // the X slider: x 37-244, y 235-243
  const MouseConfig& config = controller->config();
  view.calls.clear();
  controller->MainClickDispatcher(pages, 47, 239);
  controller->DragPanel(pages, 48, 239);  // the same value: nothing to draw
  controller->DragPanel(pages, 130, 239);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"panels", "panels"}));
  EXPECT_EQ(config.sensitivityX, 6);
  controller->EndPanelDrag();
  controller->DragPanel(pages, 47, 239);
  EXPECT_EQ(config.sensitivityX, 6);

  // A press that no control takes (it moves the window) ends the drag of the press before.
  controller->MainClickDispatcher(pages, 130, 239);
  controller->MainClickDispatcher(pages, 600, 400);
  controller->DragPanel(pages, 47, 239);
  EXPECT_EQ(config.sensitivityX, 6);
  EXPECT_EQ(controller->savedConfig().sensitivityX, 5);  // nothing saved
}

TEST_F(MainControllerTest, TheHelpPanelTogglesOnItsButtonAndGoesWithAnyOtherPress) {
  Make().Start();
  MainPageState pages(MainPageState::ContentHeights{});
  view.calls.clear();
  controller->MainClickDispatcher(pages, 937, 5);
  controller->MainClickDispatcher(pages, 951, 19);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"help", "no-help"}));

  controller->MainClickDispatcher(pages, 937, 5);
  controller->MainClickDispatcher(pages, 888, 619);  // Cancel: closes the panel, then cancels
  EXPECT_EQ(view.calls, (std::vector<std::string>{"help", "no-help", "help", "no-help", "hide"}));
  EXPECT_FALSE(controller->helpOpen());
}

TEST_F(MainControllerTest, TheHelpPanelOpensTheWebPageAndStartsTheUpdaterWhenItIsThere) {
  Make().Start();
  view.calls.clear();
  controller->OnHelpPanelPress(80, 10);
  EXPECT_EQ(view.calls.back(), "open https://tellurix.example");
  controller->OnHelpPanelPress(80, 60);  // the version row does nothing
  EXPECT_EQ(view.calls.size(), 1u);

  const auto updater = UpdaterPath(ProgramFolder(folder.path()), MachineName());
  controller->OnHelpPanelPress(80, 30);
  EXPECT_EQ(view.calls.back(), "message The firmware updater is not installed: " + updater.string() + " was not found.");

  std::filesystem::create_directories(updater.parent_path());
  folder.WriteText(std::filesystem::relative(updater, folder.path()).string(), "#!/bin/sh\n");
  controller->OnHelpPanelPress(80, 30);
  EXPECT_EQ(view.calls.back(), "start " + updater.string());
}

TEST_F(MainControllerTest, ConfigOpensOneProfileManager) {
  Make().Start();
  MainPageState pages(MainPageState::ContentHeights{});
  view.calls.clear();
  controller->MainClickDispatcher(pages, 20, 610);
  controller->MainClickDispatcher(pages, 20, 610);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"profile-manager"}));
}

// Profile 1 ("B") holds stage 1 at 77 (3850 CPI); profile 0 ("A") is current.
class ProfileRequestTest : public MainControllerTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteProfileList(folder.File("str.ini"), {"A", "B"}, 0));
    MouseConfig second = FactoryConfig();
    second.dpiStage[0] = 77;
    ASSERT_TRUE(WriteConfigFile(folder.File("config1.bin"), second));
    Make().Start();
  }
  std::map<std::string, std::string> ProfileFiles() {
    std::map<std::string, std::string> files;
    for (const char* name : {"config0.bin", "str0.ini", "config1.bin", "str1.ini", "str.ini"}) {
      files[name] = folder.ReadText(name);
    }
    return files;
  }
  testing::TempFolder backups;
};

TEST_F(ProfileRequestTest, ExportWritesTheChosenProfileAndNoProfileFileChanges) {
  controller->config().dpiStage[0] = 33;  // an edit of the current profile, not saved
  const auto before = ProfileFiles();
  view.chosenFile = backups.File("second");
  controller->ExportProfile(1, "Second");
  EXPECT_EQ(view.calls.back(), "choose-save Second") << "the chooser offers the profile's name";
  EXPECT_EQ(StoredConfig(backups.File("second.bin")).dpiStage[0], 77);
  view.chosenFile = backups.File("first");
  controller->ExportProfile(0, "First");
  EXPECT_EQ(StoredConfig(backups.File("first.bin")).dpiStage[0], 33) << "the current one as the window shows it";
  EXPECT_EQ(ProfileFiles(), before);
  EXPECT_EQ(controller->currentProfile(), 0);

  // Saving afterwards stores the window's profile in its own files.
  controller->Save();
  EXPECT_EQ(StoredConfig(folder.File("config0.bin")).dpiStage[0], 33);
  EXPECT_EQ(StoredConfig(folder.File("config1.bin")).dpiStage[0], 77);
}

TEST_F(ProfileRequestTest, ImportGoesIntoTheChosenProfileOnly) {
  MouseConfig imported = FactoryConfig();
  imported.dpiStage[0] = 44;
  ASSERT_TRUE(WriteConfigFile(backups.File("game.bin"), imported));
  view.chosenFile = backups.File("game.bin");
  const std::string current = folder.ReadText("config0.bin");
  controller->ImportIntoProfile(1);
  EXPECT_EQ(StoredConfig(folder.File("config1.bin")).dpiStage[0], 44);
  EXPECT_EQ(folder.ReadText("config0.bin"), current);
  EXPECT_FALSE(controller->HasUnsavedEdits());

  // Into the current profile it goes to the window, for Save to store.
  controller->ImportIntoProfile(0);
  EXPECT_EQ(controller->config().dpiStage[0], 44);
  EXPECT_TRUE(controller->HasUnsavedEdits());
  EXPECT_EQ(folder.ReadText("config0.bin"), current);

  view.chosenFile = backups.File("mine.txt");
  controller->ImportIntoProfile(1);
  EXPECT_TRUE(HasCall(view, "message Nothing was loaded: " + backups.File("mine.txt").string() +
                                " is not a .bin profile file."));
}

TEST_F(ProfileRequestTest, ClosingAsksBeforeDroppingEditsAndNoKeepsTheWindowsProfile) {
  ProfileManagerModel model(ReadProfileList(folder.File("str.ini")), "Copy", "PROFILE");
  model.Select(1);
  controller->config().dpiStage[0] = 33;  // an edit not saved
  view.confirmAnswer = false;
  ASSERT_TRUE(controller->CloseProfileManager(model));
  EXPECT_TRUE(HasCall(view, "confirm The settings in the window have not been saved."));
  EXPECT_EQ(controller->config().dpiStage[0], 33);
  EXPECT_EQ(controller->currentProfile(), 0);
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).currentName, "A");
  controller->Save();
  EXPECT_EQ(StoredConfig(folder.File("config0.bin")).dpiStage[0], 33);
  EXPECT_EQ(StoredConfig(folder.File("config1.bin")).dpiStage[0], 77);

  controller->OnTimer(MainTimer::kSaveGuard);
  controller->config().dpiStage[0] = 34;
  view.confirmAnswer = true;
  ASSERT_TRUE(controller->CloseProfileManager(model));
  EXPECT_EQ(controller->config().dpiStage[0], 77);
  EXPECT_EQ(controller->currentProfile(), 1);
  EXPECT_FALSE(controller->HasUnsavedEdits());
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).currentName, "B");
}

TEST_F(ProfileRequestTest, TheLastProfileStaysAndFilesFollowTheirNames) {
  // The window's profile "A" goes; "B" moves up into position 0 with its files and is shown.
  ProfileManagerModel model(ReadProfileList(folder.File("str.ini")), "Copy", "PROFILE");
  model.Select(0);
  ASSERT_EQ(model.Delete(), ProfileManagerModel::Outcome::kDone);
  ASSERT_EQ(model.Delete(), ProfileManagerModel::Outcome::kNoSelection);
  model.Select(0);
  EXPECT_EQ(model.Delete(), ProfileManagerModel::Outcome::kLastProfile);
  ASSERT_TRUE(controller->CloseProfileManager(model));
  EXPECT_EQ(controller->currentProfile(), 0);
  EXPECT_EQ(controller->config().dpiStage[0], 77);
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).names, std::vector<std::string>{"B"});
}

TEST_F(ProfileRequestTest, TheWindowFollowsChangesMadeOnDiskUnlessItHoldsEdits) {
  const std::vector<std::string> changed = {"config0.bin"};
  MouseConfig edited = StoredConfig(folder.File("config0.bin"));
  edited.dpiStage[1] = 40;
  edited.reportRate = 4;
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), edited));
  controller->OnFilesChanged(std::vector<std::string>{"record.ini"});
  EXPECT_NE(controller->config().dpiStage[1], 40) << "only the profile's files count";
  controller->OnFilesChanged(changed);
  EXPECT_EQ(controller->config().dpiStage[1], 40);
  EXPECT_EQ(controller->config().reportRate, 4);
  EXPECT_FALSE(controller->HasUnsavedEdits());

  // With edits in the window, the change waits, and Save asks before replacing it.
  controller->config().dpiStage[2] = 50;
  edited.dpiStage[3] = 60;
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), edited));
  controller->OnFilesChanged(changed);
  EXPECT_EQ(controller->config().dpiStage[2], 50);
  view.confirmAnswer = false;
  sent.clear();
  controller->Save();
  EXPECT_TRUE(HasCall(view, "confirm This profile's settings were changed by another program"));
  EXPECT_EQ(UploadsSent(sent), 0);
  EXPECT_EQ(StoredConfig(folder.File("config0.bin")).dpiStage[3], 60);

  controller->OnTimer(MainTimer::kSaveGuard);
  view.confirmAnswer = true;
  controller->Save();
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(StoredConfig(folder.File("config0.bin")).dpiStage[2], 50);
}

TEST_F(ProfileRequestTest, UseProfileSendsTheProfileThenMakesItCurrent) {
  int changes = 0;
  controller->setProfilesChanged([&] { ++changes; });
  sent.clear();
  const MainController::UseResult result = controller->UseProfile(1);
  EXPECT_EQ(result.outcome, MainController::UseResult::Outcome::kDone) << result.message;
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(mouse.memory().settingsPage[0x54], 77);
  EXPECT_EQ(controller->currentProfile(), 1);
  EXPECT_EQ(controller->config().dpiStage[0], 77);
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).currentName, "B");
  EXPECT_EQ(controller->mouseProfile(), "B");
  EXPECT_EQ(controller->Footer().profile, "Profile: B");
  EXPECT_GE(changes, 1);
}

TEST_F(ProfileRequestTest, UseProfileRefusedChangesNothing) {
  using Outcome = MainController::UseResult::Outcome;
  const auto before = ProfileFiles();
  sent.clear();
  EXPECT_EQ(controller->UseProfile(2).outcome, Outcome::kNoSuchProfile);
  EXPECT_EQ(controller->UseProfile(-1).outcome, Outcome::kNoSuchProfile);

  controller->config().dpiStage[0] = 33;  // an edit not saved
  const MainController::UseResult overEdits = controller->UseProfile(1);
  EXPECT_EQ(overEdits.outcome, Outcome::kUnsavedEdits);
  EXPECT_EQ(overEdits.message, "The settings in the window have not been saved: save or cancel them first.");
  EXPECT_EQ(controller->config().dpiStage[0], 33);
  controller->Cancel();

  // The mouse refuses the profile: the window keeps the one it showed.
  std::filesystem::remove(folder.File("config1.bin"));
  EXPECT_EQ(controller->UseProfile(1).outcome, Outcome::kFailed);
  EXPECT_EQ(controller->currentProfile(), 0);
  ASSERT_TRUE(WriteConfigFile(folder.File("config1.bin"), FactoryConfig()));

  mouse.Unplug();
  ASSERT_TRUE(view.RunUntil([&] { return !controller->connected(); }));
  EXPECT_EQ(controller->UseProfile(1).outcome, Outcome::kNoMouse);
  EXPECT_EQ(UploadsSent(sent), 0);
  EXPECT_EQ(controller->currentProfile(), 0);
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).currentName, "A");
  EXPECT_EQ(folder.ReadText("config0.bin"), before.at("config0.bin"));
}

// "game" is linked to profile B; everything else gets the default, the first profile A.
class FocusRuleTest : public ProfileRequestTest {
 protected:
  void SetUp() override {
    ProfileRequestTest::SetUp();
    AppProfiles rules;
    rules.links.emplace_back("game", "B");
    ASSERT_TRUE(WriteAppProfiles(folder.File(kAppProfilesName), rules));
    view.calls.clear();
    sent.clear();
  }
  // The focus moves to app, which keeps it until the timer fires.
  void Focus(std::string_view app) {
    controller->OnFocusChanged(app, "a window");
    controller->OnTimer(MainTimer::kFocusSwitch);
  }
};

TEST_F(FocusRuleTest, TheFocusedApplicationGetsItsProfileOnceItKeptTheFocus) {
  controller->OnFocusChanged("game", "Racing 3");
  EXPECT_EQ(view.calls.back(), "start-timer " + std::to_string(int(MainTimer::kFocusSwitch)));
  EXPECT_EQ(UploadsSent(sent), 0) << "nothing before the focus has stayed";
  controller->OnTimer(MainTimer::kFocusSwitch);
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(mouse.memory().settingsPage[0x54], 77);
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).currentName, "B");
  ASSERT_EQ(view.balloons.size(), 1u);
  EXPECT_EQ(view.balloons[0].text, "Profile B for game");

  // The same profile again sends nothing; another application gets the default back.
  Focus("GAME");
  EXPECT_EQ(UploadsSent(sent), 1) << "application ids compare without case";
  Focus("editor");
  EXPECT_EQ(UploadsSent(sent), 2);
  EXPECT_EQ(controller->mouseProfile(), "A");
  EXPECT_EQ(view.balloons.back().text, "Profile A for editor");
  Focus("");
  EXPECT_EQ(UploadsSent(sent), 2);
  EXPECT_EQ(controller->seenApplications(), (std::vector<std::string>{"game", "GAME", "editor"}));
}

TEST_F(FocusRuleTest, UnsavedEditsAreDroppedOnlyWhenTheUserSaysSoAndAskedOnce) {
  controller->config().dpiStage[0] = 33;
  view.confirmAnswer = false;
  Focus("game");
  EXPECT_TRUE(HasCall(view, "confirm The settings in the window have not been saved. Discard them and give the mouse "
                            "the profile \"B\" for game?"));
  Focus("editor");
  Focus("game");
  EXPECT_EQ(std::ranges::count_if(view.calls, [](const std::string& call) { return call.starts_with("confirm"); }), 1);
  EXPECT_EQ(UploadsSent(sent), 0);
  EXPECT_EQ(controller->config().dpiStage[0], 33);

  // Saved, the edits are no longer in the way; a new edit asks again, and yes switches.
  controller->Save();
  controller->OnTimer(MainTimer::kSaveGuard);
  sent.clear();
  controller->config().dpiStage[0] = 34;
  view.confirmAnswer = true;
  Focus("game");
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(controller->config().dpiStage[0], 77);
  EXPECT_FALSE(controller->HasUnsavedEdits());
}

TEST_F(FocusRuleTest, WithoutLinksOrWhileTheProfileManagerIsOpenNothingIsSent) {
  ASSERT_TRUE(WriteAppProfiles(folder.File(kAppProfilesName), AppProfiles{}));
  Focus("game");
  EXPECT_EQ(UploadsSent(sent), 0) << "a default alone never switches";

  AppProfiles rules;
  rules.links.emplace_back("game", "B");
  ASSERT_TRUE(WriteAppProfiles(folder.File(kAppProfilesName), rules));
  MainPageState pages(MainPageState::ContentHeights{});
  controller->MainClickDispatcher(pages, 20, 610);  // Config: the profile manager opens
  ASSERT_TRUE(controller->profileManagerOpen());
  view.calls.clear();
  Focus("game");
  EXPECT_EQ(UploadsSent(sent), 0);
  EXPECT_EQ(view.calls.back(), "start-timer " + std::to_string(int(MainTimer::kFocusSwitch))) << "tried again later";
  EXPECT_EQ(controller->UseProfile(1).outcome, MainController::UseResult::Outcome::kBusy);
}

TEST_F(MainControllerTest, UnsavedEditsSurviveAReplugAndExitAsksFirst) {
  Make().Start();
  controller->config().dpiStage[1] = 33;
  mouse.Unplug();
  ASSERT_TRUE(view.RunUntil([&] { return !controller->connected(); }));
  mouse.Plug();
  ASSERT_TRUE(view.RunUntil([&] { return controller->connected(); }));
  EXPECT_EQ(controller->config().dpiStage[1], 33);
  EXPECT_EQ(std::count(view.balloons.begin(), view.balloons.end(),
                       Balloon{std::string(controller->strings().mouseDetected), std::string(controller->strings().infoTitle),
                               kConnectionBalloonTimeoutMs}),
            1);

  view.confirmAnswer = false;
  view.calls.clear();
  controller->Exit();
  EXPECT_TRUE(HasCall(view, "confirm The settings in the window have not been saved."));
  EXPECT_FALSE(HasCall(view, "quit"));
  EXPECT_TRUE(controller->connected());
}

TEST_F(MainControllerTest, SavingIntoAMissingProfileFileSaysSoAndReturns) {
  Make().Start();
  std::filesystem::remove(folder.File("config0.bin"));
  controller->config().dpiStage[1] = 33;
  controller->Save();
  EXPECT_TRUE(HasCall(view, "message The mouse has the new settings, but they were not stored: Config file is not exist."));
  EXPECT_FALSE(std::filesystem::exists(folder.File("config0.bin")));
  EXPECT_TRUE(controller->HasUnsavedEdits());
}

TEST_F(MainControllerTest, ResetWithADamagedFactoryFileChangesNothing) {
  Make().Start();
  folder.WriteText("config.bin", "damaged");
  controller->config().dpiStage[0] = 90;
  sent.clear();
  controller->Reset();
  EXPECT_TRUE(HasCall(view, "message The factory settings cannot be read, so nothing was changed"));
  EXPECT_EQ(controller->config().dpiStage[0], 90);
  EXPECT_EQ(UploadsSent(sent), 0);
}

TEST_F(MainControllerTest, TheMacroManagersPagesReachTheRecordOnlyWithOk) {
  Make().Start();
  MainPageState pages(MainPageState::ContentHeights{});
  const auto before = controller->config().macroData;
  controller->MainClickDispatcher(pages, 100, 150);  // the Macro Manager header, closed with Cancel
  EXPECT_EQ(controller->config().macroData, before);

  MacroPages encoded{};
  encoded[2][0] = 0x01;
  encoded[2][2] = 0x84;
  view.macroPages = encoded;
  controller->MainClickDispatcher(pages, 100, 150);
  EXPECT_EQ(controller->config().macroData, encoded);
  EXPECT_EQ(UploadsSent(sent), 0);  // nothing goes to the mouse before Save
  controller->Save();
  EXPECT_EQ(mouse.memory().macroPages, encoded);
}

TEST_F(MainControllerTest, TheLastClickCannotBeReassignedAndAListClosesOnItsSecondPress) {
  Make().Start();
  view.calls.clear();
  controller->ToggleAssignmentList(0);  // the factory profile has one "Click", on button 1
  EXPECT_EQ(view.calls, (std::vector<std::string>{"message Left key must be selected!"}));
  EXPECT_EQ(controller->openAssignmentList(), -1);

  controller->config().buttonKind[2] = 0;  // now button 3 clicks too
  view.calls.clear();
  controller->ToggleAssignmentList(0);
  controller->ToggleAssignmentList(0);
  controller->ToggleAssignmentList(4);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"list 0", "close-list", "list 4"}));
  MainPageState pages(MainPageState::ContentHeights{});
  controller->MainClickDispatcher(pages, 600, 400);  // anywhere else closes it
  EXPECT_EQ(controller->openAssignmentList(), -1);
}

TEST_F(MainControllerTest, DialogChoicesStoreWhatTheCatalogueSaysAndCancelChangesNothing) {
  Make().Start();
  MouseConfig& config = controller->config();
  const MouseConfig before = config;
  controller->OnAssignmentChosen(3, ButtonKind::SingleKey);  // cancelled
  EXPECT_EQ(config, before);

  view.singleKey = "A";
  controller->OnAssignmentChosen(3, ButtonKind::SingleKey);
  EXPECT_EQ(config.buttonKind[3], 10);
  EXPECT_EQ(config.Arg(kSingleKeyArg, 3), 0x04);
  EXPECT_EQ(controller->labels()[3], "Single Key-A");

  view.comboKey = ComboKeyResult{"Left Ctrl", "A", "B"};
  controller->OnAssignmentChosen(1, ButtonKind::ComboKey);
  EXPECT_EQ(config.Arg(kComboModifierArg, 1), 0x01);
  EXPECT_EQ(config.Arg(kComboFirstKeyArg, 1), 0x04);
  EXPECT_EQ(config.Arg(kComboSecondKeyArg, 1), 0x05);
  EXPECT_EQ(controller->labels()[1], "Combo Key-Left Ctrl+A+B");

  folder.WriteText("record.ini", "[One]\nItemCount=0\n[Two]\nItemCount=0\n[Three]\nItemCount=0\n");
  view.macroKey = MacroKeyResult{2, 2, "Three"};
  controller->OnAssignmentChosen(6, ButtonKind::MacroKey);
  EXPECT_EQ(view.macroNamesShown, (std::vector<std::string>{"One", "Two", "Three"}));
  const ButtonEntry entry = EncodeButtonEntry(config, 6);
  EXPECT_EQ(std::vector<Byte>(entry.begin(), entry.end()), (std::vector<Byte>{0x09, 0x02, 0x03, 0x00}));
  EXPECT_EQ(controller->labels()[6], "Macro Key-Three");

  controller->OnSubListChosen(5, ButtonKind::Multimedia, 6);  // "Volume Up"
  EXPECT_EQ(config.Arg(kMultimediaArg, 5), 0xE9);
  EXPECT_EQ(controller->labels()[5], "Volume Up");
  controller->OnAssignmentChosen(7, ButtonKind::DoubleClick);
  EXPECT_EQ(config.buttonKind[7], 5);
  EXPECT_EQ(controller->labels()[7], "Double Click");
  EXPECT_EQ(UploadsSent(sent), 0);  // nothing reaches the mouse before Save
}

TEST_F(MainControllerTest, PanelPressesEditTheRecordAndOnlySaveSendsThem) {
  Make().Start();
  MainPageState pages(MainPageState::ContentHeights{191, 0, 135, 225, 105, 138, 115, 115, 75, 135});
  pages.LayOutRightColumn();
  pages.Toggle(MainSection::kCpiSetting);
  pages.Toggle(MainSection::kUsbReportRate);
  const auto rectOf = [&](MainSection section, PanelControl::Kind kind, int index) {
    for (const PanelPlacement& panel : OpenPanels(pages)) {
      if (panel.section != section) continue;
      for (const PanelControl& control : PanelControls(section, panel.left, panel.top)) {
        if (control.kind == kind && control.index == index) return control.rect;
      }
    }
    ADD_FAILURE();
    return Rect{};
  };
  const Rect dial = rectOf(MainSection::kUsbReportRate, PanelControl::Kind::kReportDial, 0);
  view.calls.clear();
  const MainClick click = controller->MainClickDispatcher(pages, dial.left + 64 + 30, dial.top + 64 + 30);
  EXPECT_FALSE(click.drags());
  EXPECT_EQ(controller->config().reportRate, 2);  // 500 Hz
  EXPECT_EQ(view.calls, (std::vector<std::string>{"panels"}));

  // The chooser opens on the stage's colour; cancelling keeps it.
  const Rect swatch = rectOf(MainSection::kCpiSetting, PanelControl::Kind::kStageSwatch, 2);
  const std::array<Byte, 12> colours = controller->config().stageColor;
  controller->MainClickDispatcher(pages, swatch.left, swatch.top);
  EXPECT_EQ(controller->config().stageColor, colours);
  EXPECT_EQ(view.colourOffered.blue, colours[7]);
  view.chosenColour = StageColour{0x10, 0x20, 0x30};
  controller->MainClickDispatcher(pages, swatch.left, swatch.top);
  EXPECT_EQ(std::vector<Byte>(controller->config().stageColor.begin() + 6, controller->config().stageColor.begin() + 9),
            (std::vector<Byte>{0x10, 0x30, 0x20}));

  EXPECT_EQ(controller->OnStageBoxText(1, "1234"), "1250");
  EXPECT_EQ(controller->config().dpiStage[1], 25);
  EXPECT_EQ(controller->OnScrollLinesText("0"), "1");
  EXPECT_EQ(UploadsSent(sent), 0);
  controller->Save();
  EXPECT_EQ(UploadsSent(sent), 1);
  EXPECT_EQ(controller->savedConfig().reportRate, 2);
}

TEST_F(MainControllerTest, AStageWhoseReadBackFailsShowsTheWindowsValue) {
  Make().Start();
  controller->config().dpiStage[1] = 32;
  mouse.Unplug();
  controller->OnDeviceEvent({1, 2});
  ASSERT_EQ(view.balloons.size(), 1u);
  EXPECT_EQ(view.balloons[0].text, "Switch CPI into the second stage 1600");
}

TEST_F(MainControllerTest, ImportingABinWithoutItsLabelFileShowsLabelsRebuiltFromItsSettings) {
  testing::TempFolder backups;
  MouseConfig config = FactoryConfig();
  config.buttonKind[3] = static_cast<Byte>(ButtonKind::SingleKey);
  config.Arg(kSingleKeyArg, 3) = 0x05;  // B
  ASSERT_TRUE(WriteConfigFile(backups.File("bare.bin"), config));
  Make().Start();
  view.chosenFile = backups.File("bare.bin");
  controller->ImportIntoProfile(controller->currentProfile());
  EXPECT_EQ(controller->labels()[3], "Single Key-B");
  EXPECT_EQ(controller->labels()[0], "Click");
}

TEST_F(MainControllerTest, SaveAndResetRefuseValuesOutsideTheirRangesAndSendNothing) {
  Make().Start();
  const std::string before = folder.ReadText("config0.bin");
  controller->config().dpiStage[0] = 233;
  controller->config().reportRate = 95;
  sent.clear();
  controller->Save();
  EXPECT_TRUE(HasCall(view, "message Nothing was sent or saved: values outside their ranges: reportRate = 95 "
                            "(allowed: 1, 2, 4, 8), dpiStage[0] = 233 (allowed: 2-100)."));
  EXPECT_EQ(UploadsSent(sent), 0);
  EXPECT_EQ(folder.ReadText("config0.bin"), before);
}

void SetLanguage(const testing::FactoryFolder& folder, const char* code) {
  for (const char* name : {"str.ini", "str0.ini", "str1.ini", "str2.ini", "str3.ini", "str4.ini", "str5.ini"}) {
    ASSERT_TRUE(IniFile(folder.File(name)).Write("Skins", "Lan", code));
  }
}

TEST_F(MainControllerTest, QuestionsAndMessagesComeInTheWindowsLanguage) {
  SetLanguage(folder, "CHS");
  mouse.Unplug();
  Make().Start();
  controller->config().dpiStage[1] ^= 0x11;
  controller->Save();
  EXPECT_TRUE(HasCall(view, "message 系统没有检测到游戏鼠标！\n\n没有发送或保存任何内容：设置会同时发送到鼠标并存入配置。"));
  view.confirmAnswer = false;
  controller->Exit();
  EXPECT_TRUE(HasCall(view, "confirm 窗口中的设置尚未保存。要退出并放弃这些设置吗？"));
  EXPECT_FALSE(HasCall(view, "quit"));
}

TEST_F(MainControllerTest, ProfileRequestsAnswerInTheWindowsLanguage) {
  SetLanguage(folder, "CHT");
  Make().Start();
  controller->ImportIntoProfile(ProfileManagerModel::kFactoryPair);
  EXPECT_TRUE(HasCall(view, "message 新配置在關閉配置管理員時才會得到自己的檔案"));
  view.chosenFile = folder.File("missing") / "mine.bin";
  controller->ImportIntoProfile(0);
  EXPECT_TRUE(HasCall(view, "message 沒有載入任何內容："));
}

// The mouse is plugged in, but its command interface cannot be opened.
class ScanFailureTest : public ::testing::Test {
 protected:
  ScanFailureTest() {
    backend.interfaces = {testing::MakeInterface(kNode, MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, testing::kCommandCaps)};
    backend.failingPath = kNode;
  }
  ~ScanFailureTest() override { view.Close(); }

  void Notice(unsigned type) { controller->OnDeviceNotice({type, DeviceNotice::kDeviceInterfaceHeader, kName}); }
  long Said(std::string_view prefix) const {
    return std::ranges::count_if(view.calls, [&](const std::string& call) { return call.starts_with(prefix); });
  }

  static constexpr const char* kNode = "/dev/hidraw3";
  static constexpr const char* kName = "/dev/hidraw3#HID#VID_04D9&PID_A0F4";
  testing::FactoryFolder folder;
  testing::FakeBackend backend;
  RecordingView view;
  std::unique_ptr<MainController> controller =
      std::make_unique<MainController>(ProgramFolder(folder.path()), backend, view, [](std::chrono::milliseconds) {});
};

TEST_F(ScanFailureTest, APermissionFailureNamesTheRuleAndItsCommandOncePerArrival) {
  controller->Start();
  const std::string said = "command-message The gaming mouse is plugged in, but you may not open it (/dev/hidraw3): "
                           "the udev rule that gives you access is missing. Install it with this command, then plug "
                           "the mouse in again:\n" + std::string(kAccessRuleCommand) + "\nCopy command";
  EXPECT_EQ(Said(said), 1);
  // The command writes the rule that the packages install.
  const std::optional<std::string> rules = ReadWholeFile(KORVANE_SOURCE_DIR "/packaging/udev/70-korvane.rules");
  ASSERT_TRUE(rules);
  const std::string rule = rules->substr(rules->rfind("\nSUBSYSTEM") + 1);
  EXPECT_NE(kAccessRuleCommand.find("echo '" + rule.substr(0, rule.find('\n')) + "' | sudo tee "
                                    "/etc/udev/rules.d/70-korvane.rules"),
            std::string_view::npos);
  // Every interface of the mouse announces itself; the reason is said once.
  for (int i = 0; i < 3; ++i) Notice(DeviceNotice::kArrival);
  EXPECT_EQ(Said("command-message"), 1);

  backend.interfaces.clear();
  Notice(DeviceNotice::kRemoveComplete);
  EXPECT_TRUE(view.balloons.empty());  // it was never connected
  backend.interfaces = {testing::MakeInterface(kNode, MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, testing::kCommandCaps)};
  backend.failingError = EBUSY;
  Notice(DeviceNotice::kArrival);
  Notice(DeviceNotice::kArrival);
  EXPECT_EQ(Said("message The gaming mouse is plugged in, but /dev/hidraw3 is in use by another program."), 1);
  EXPECT_EQ(Said("command-message"), 1);
}

TEST_F(ScanFailureTest, TheReasonComesInTheWindowsLanguage) {
  SetLanguage(folder, "CHT");
  controller->Start();
  EXPECT_EQ(Said("command-message 遊戲滑鼠已插入，但您無權開啟它（/dev/hidraw3）"), 1);
  EXPECT_TRUE(HasCall(view, "command-message 遊戲滑鼠已插入") &&
              view.calls.back().ends_with(std::string(kAccessRuleCommand) + "\n複製指令"));
}

}  // namespace
}  // namespace korvane
