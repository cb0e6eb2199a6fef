#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QLineEdit>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QMenu>
#include <QTimer>
#include <QImage>
#include <QListWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QThread>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "app/app_profiles.h"
#include "app/button_assignment.h"
#include "app/help_panel.h"
#include "common/machine_name.h"
#include "common/single_instance.h"
#include "config/button_kind.h"
#include "config/factory_profile.h"
#include "config/ini_file.h"
#include "device/emulated_mouse.h"
#include "device/protocol.h"
#include "gui/combo_dialog.h"
#include "gui/config_dialog.h"
#include "gui/help_dialog.h"
#include "gui/lb_editor_wnd.h"
#include "gui/macro_dialog.h"
#include "gui/macro_program_dialog.h"
#include "gui/screenshot.h"
#include "gui/single_dialog.h"
#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"
#include "gui/tavik_dlg.h"
#include "keys/key_page.h"
#include "macro/macro_encoding.h"
#include "support/test_folder.h"
#include "ui/skin_inventory.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// A program folder made from the build's: the factory profiles, the label files and the skin.
void CopyProgramFolder(const fs::path& to) {
  for (const fs::directory_entry& entry : fs::directory_iterator(KORVANE_PROGRAM_DIR)) {
    const std::string name = entry.path().filename().string();
    const bool wanted = name == "Skins" || (name.rfind("config", 0) == 0 && entry.path().extension() == ".bin") ||
                        (name.rfind("str", 0) == 0 && entry.path().extension() == ".ini");
    if (wanted) fs::copy(entry.path(), to / name, fs::copy_options::recursive);
  }
}

QString SkinFile(const fs::path& folder, const char* name) {
  return QString::fromStdString((folder / "Skins" / "Default" / name).string());
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { CopyProgramFolder(folder.path()); }

  CTavikDlg& Start() {
    window = std::make_unique<CTavikDlg>(ProgramFolder(folder.path()), mouse.backend());
    window->controller().link().SetTrace([this](const TransportOp& op) {
      if (op.kind != TransportOp::Kind::GetFeature && op.kind != TransportOp::Kind::Read &&
          op.kind != TransportOp::Kind::Sleep) {
        sent.push_back(op.bytes);
      }
    });
    window->controller().Start();
    window->show();
    return *window;
  }

  void SetLanguage(const char* code) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path())) {
      if (entry.path().extension() == ".ini") {
        ASSERT_TRUE(IniFile(entry.path()).Write("Skins", "Lan", code));
      }
    }
  }

  // Runs the built program on the temporary folder.
  int RunProgram(const QStringList& arguments, const fs::path& runtimeFolder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtimeFolder.string()));
    process.setProcessEnvironment(environment);
    process.start(KORVANE_EXECUTABLE,
                  QStringList{"--emulate", "--home", QString::fromStdString(folder.path().string())} + arguments);
    if (!process.waitForFinished(20000)) {
      process.kill();
      process.waitForFinished();
      return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
  }

  testing::TempFolder folder;
  EmulatedMouse mouse;
  std::vector<std::vector<Byte>> sent;
  std::unique_ptr<CTavikDlg> window;
};

TEST_F(MainWindowTest, StartsWithTheSizeOfMainPngAndOnlyAttachesToTheMouse) {
  CTavikDlg& dlg = Start();
  const QImage background(SkinFile(folder.path(), "main.png"));
  ASSERT_FALSE(background.isNull());
  EXPECT_EQ(dlg.size(), background.size());
  EXPECT_EQ(dlg.canvas().size(), background.size());

  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0][1], CMD_READ_PROFILE);
  EXPECT_EQ(sent[1][1], CMD_ATTACH);
  EXPECT_EQ(sent[1][2], ATTACH_BYTE);
}

TEST_F(MainWindowTest, HeadersMoveWithTheSkinsContentHeights) {
  CTavikDlg& dlg = Start();
  ASSERT_NE(dlg.pages(), nullptr);
  const int assignment = QImage(SkinFile(folder.path(), "ButtonAssignment/BK_ButtonAssignment.png")).height();
  ASSERT_GT(assignment, 0);
  MainPageState& state = dlg.pages()->state();
  dlg.pages()->ToggleSection(MainSection::kButtonAssignment);
  EXPECT_EQ(state.LeftColumn().sections[1].headerTop, 127 + assignment + 5);
  EXPECT_EQ(state.LeftColumn().sections[2].headerTop, 127 + assignment + 5 + 38 + 5);

  dlg.pages()->ToggleSection(MainSection::kCpiSetting);
  dlg.pages()->ToggleSection(MainSection::kUsbReportRate);
  EXPECT_EQ(state.rightColumn().sections.size(), 3u);
  EXPECT_TRUE(state.rightColumn().stoppedEarly);

  dlg.MoveThumb(kTrackBottom - kThumbHeight);
  dlg.OnThumbMoved(kTrackBottom - kThumbHeight);
  EXPECT_EQ(state.rightColumnPage(), 2);
  EXPECT_EQ(state.HeaderAt(kRightColumnLeft, kRightColumnTop), MainSection::kMouseSpeed);
}

TEST_F(MainWindowTest, ClosingWhatWasOpenedDrawsTheStartPageAgain) {
  CTavikDlg& dlg = Start();
  const QImage start = dlg.canvas().copy();
  for (MainSection section : {MainSection::kButtonAssignment, MainSection::kXYSensitivity,
                              MainSection::kLighting}) {
    dlg.pages()->ToggleSection(section);
    dlg.pages()->ToggleSection(section);
  }
  dlg.pages()->SwitchView(kTopView);
  dlg.pages()->SwitchView(kSideView);
  EXPECT_TRUE(dlg.canvas() == start);
}

TEST_F(MainWindowTest, HoverLooksComeAndGoWithThePointer) {
  CTavikDlg& dlg = Start();
  const QImage start = dlg.canvas().copy();
  const QRect save(923, 604, 57, 30);
  const auto moveTo = [&dlg](QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, dlg.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &move);
  };
  moveTo(QPointF(950, 615));
  EXPECT_FALSE(dlg.canvas().copy(save) == start.copy(save));
  EXPECT_TRUE(dlg.canvas().copy(0, 0, 900, 600) == start.copy(0, 0, 900, 600));
  moveTo(QPointF(600, 500));
  EXPECT_TRUE(dlg.canvas() == start);
}

TEST_F(MainWindowTest, DraggingTheThumbPagesTheRightColumn) {
  CTavikDlg& dlg = Start();
  dlg.pages()->ToggleSection(MainSection::kCpiSetting);
  dlg.pages()->ToggleSection(MainSection::kLighting);
  QWidget* thumb = dlg.childAt(kThumbLeft + 1, kTrackTop + 1);
  ASSERT_NE(thumb, nullptr);
  const auto send = [thumb](QEvent::Type type, int y) {
    const QPointF at(3, y);
    QMouseEvent event(type, at, thumb->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(thumb, &event);
  };
  send(QEvent::MouseButtonPress, 10);
  send(QEvent::MouseMove, 10 + 500);  // would end below the track: ignored as a whole
  EXPECT_EQ(thumb->y(), kTrackTop);
  send(QEvent::MouseMove, 10 + 400);
  EXPECT_EQ(thumb->y(), kTrackTop + 400);
  send(QEvent::MouseButtonRelease, 10);
  QCoreApplication::processEvents();
  EXPECT_EQ(dlg.pages()->state().rightColumnPage(), 2);
}

TEST_F(MainWindowTest, TheWheelOverTheRightColumnTurnsItsPagesAndMovesTheThumb) {
  CTavikDlg& dlg = Start();
  dlg.ToggleSection(MainSection::kCpiSetting);
  dlg.ToggleSection(MainSection::kLighting);
  QWidget* thumb = dlg.childAt(kThumbLeft + 1, kTrackTop + 1);
  ASSERT_NE(thumb, nullptr);
  const auto wheel = [&dlg](QPointF at, int delta) {
    QWheelEvent event(at, dlg.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&dlg, &event);
  };
  wheel(QPointF(500, 300), -120);  // over the mouse picture
  EXPECT_EQ(dlg.pages()->state().rightColumnPage(), 1);
  wheel(QPointF(850, 300), -120);
  EXPECT_EQ(dlg.pages()->state().rightColumnPage(), 2);
  EXPECT_EQ(thumb->y(), kTrackBottom - kThumbHeight);
  // The stage boxes went with their panel.
  EXPECT_EQ(dlg.stageBox(0), nullptr);
  wheel(QPointF(850, 300), 120);
  EXPECT_EQ(dlg.pages()->state().rightColumnPage(), 1);
  EXPECT_EQ(thumb->y(), kTrackTop);
  EXPECT_NE(dlg.stageBox(0), nullptr);
}

TEST_F(MainWindowTest, DraggingASliderStoresTheValueWhereTheButtonCameUp) {
  CTavikDlg& dlg = Start();
  dlg.ToggleSection(MainSection::kXYSensitivity);  // its X slider runs from x 37, y 235 to 244
  const auto send = [&dlg](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, dlg.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &event);
  };
  const QImage before = dlg.canvas().copy();
  send(QEvent::MouseButtonPress, {47, 239}, Qt::LeftButton);
  EXPECT_EQ(dlg.controller().config().sensitivityX, 2);
  send(QEvent::MouseMove, {400, 100}, Qt::LeftButton);  // far past its end
  EXPECT_EQ(dlg.controller().config().sensitivityX, 11);
  send(QEvent::MouseMove, {130, 239}, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {130, 239}, Qt::NoButton);
  send(QEvent::MouseMove, {40, 239}, Qt::NoButton);
  EXPECT_EQ(dlg.controller().config().sensitivityX, 6);
  EXPECT_EQ(dlg.controller().config().sensitivityY, dlg.controller().savedConfig().sensitivityY);
  EXPECT_FALSE(dlg.canvas().copy(37, 235, 208, 9) == before.copy(37, 235, 208, 9));  // the slider shows it
}

TEST_F(MainWindowTest, AnOpenSectionShowsItsChevronTurned) {
  CTavikDlg& dlg = Start();
  const QRect chevron = ToQRect(kHeaderChevronArea).translated(kRightColumnLeft, kRightColumnTop);
  const QRect title(kRightColumnLeft, kRightColumnTop, kHeaderChevronArea.left, 20);
  const QImage closed = dlg.canvas().copy(chevron);
  const QImage closedTitle = dlg.canvas().copy(title);
  dlg.ToggleSection(MainSection::kCpiSetting);
  EXPECT_FALSE(dlg.canvas().copy(chevron) == closed);
  EXPECT_TRUE(dlg.canvas().copy(chevron) == closed.mirrored(true, true));
  EXPECT_TRUE(dlg.canvas().copy(title) == closedTitle);
  dlg.ToggleSection(MainSection::kCpiSetting);
  EXPECT_TRUE(dlg.canvas().copy(chevron) == closed);
}

TEST_F(MainWindowTest, HighlightShowsTheButtonAndItsBackPartInTheSideView) {
  CTavikDlg& dlg = Start();
  const QImage start = dlg.canvas().copy();
  dlg.pages()->HighlightButton(4);
  const auto changed = [&](const Rect& r) {
    const QRect rect(r.left, r.top, r.width(), r.height());
    return !(dlg.canvas().copy(rect) == start.copy(rect));
  };
  EXPECT_TRUE(changed(MouseHotSpot(kSideView, 4).rect));
  EXPECT_TRUE(changed(SideBackHotSpots()[0].rect));
  EXPECT_FALSE(changed(SideBackHotSpots()[1].rect));
}

TEST_F(MainWindowTest, ChineseTextsAreChosenByLan) {
  SetLanguage("CHS");
  CTavikDlg& dlg = Start();
  EXPECT_EQ(dlg.controller().language(), Language::SimplifiedChinese);
  EXPECT_EQ(dlg.controller().strings().side, "\xE4\xBE\xA7\xE9\x9D\xA2");  // 侧面
}

TEST_F(MainWindowTest, EnterAndEscapeLeaveTheWindowAlone) {
  CTavikDlg& dlg = Start();
  for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &press);
  }
  QCoreApplication::processEvents();
  EXPECT_TRUE(dlg.isVisible());
}


void PressOn(QWidget* widget, QPoint at) {
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

// Runs `act` on the modal window of type W as soon as it is open (from within its own event loop).
template <typename W>
void WhenModal(std::function<void(W&)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    if (auto* modal = dynamic_cast<W*>(QApplication::activeModalWidget())) {
      // Stopped at once: a window run from the test's own code may leave no event loop that deletes it.
      poll->stop();
      poll->deleteLater();
      act(*modal);
    }
  });
  poll->start(10);
}

// Answers the next question the program asks.
void AnswerQuestion(bool yes) {
  WhenModal<CSkinMessageBox>(
      [yes](CSkinMessageBox& box) { box.Answer(yes ? MessageBoxAnswer::kYes : MessageBoxAnswer::kNo); });
}

// Lets queued calls, deferred deletes and the message boxes' polls run until `done` holds; false when it
// still does not after a deadline no loaded machine reaches. Each round runs all that is queued by then, so
// a check that nothing more happened follows every queued call.
bool Settle(const std::function<bool()>& done = [] { return true; }) {
  const QDeadlineTimer deadline(20000);
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (done()) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(2);
  }
}

TEST_F(MainWindowTest, SaveResetAndCancelReachTheMouseAndTheProfileFile) {
  CTavikDlg& dlg = Start();
  dlg.controller().config().dpiStage[1] = 32;
  PressOn(&dlg, {950, 619});  // Save
  ConfigFileContent stored;
  ASSERT_TRUE(ReadConfigFile(folder.File("config0.bin"), stored));
  EXPECT_EQ(stored.config.dpiStage[1], 32);
  EXPECT_EQ(mouse.memory().settingsPage[0x55], 32);

  ConfigFileContent factory;
  ASSERT_TRUE(ReadConfigFile(folder.File("config.bin"), factory));
  AnswerQuestion(false);
  PressOn(&dlg, {820, 619});  // Reset, and "No"
  EXPECT_EQ(dlg.controller().config().dpiStage[1], 32);
  AnswerQuestion(true);
  PressOn(&dlg, {820, 619});  // Reset, and "Yes"
  EXPECT_EQ(dlg.controller().config().dpiStage, factory.config.dpiStage);
  ASSERT_TRUE(ReadConfigFile(folder.File("config0.bin"), stored));
  EXPECT_EQ(stored.config.dpiStage, factory.config.dpiStage);

  sent.clear();
  dlg.controller().config().dpiStage[2] = 70;
  PressOn(&dlg, {880, 619});  // Cancel
  EXPECT_TRUE(!dlg.isVisible() || dlg.isMinimized());  // minimised where there is no tray
  EXPECT_EQ(dlg.controller().config(), dlg.controller().savedConfig());
  EXPECT_TRUE(sent.empty());
}

TEST_F(MainWindowTest, HelpOpensOnItsButtonAndClosesOnTheNextPressWhichGoesOnToItsCommand) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, {944, 12});
  ASSERT_NE(dlg.helpPanel(), nullptr);
  EXPECT_EQ(dlg.helpPanel()->geometry(), QRect(786, 25, 166, 77));
  EXPECT_FALSE(dlg.helpPanel()->canvas().isNull());
  PressOn(&dlg, {944, 12});
  EXPECT_EQ(dlg.helpPanel(), nullptr);

  PressOn(&dlg, {944, 12});
  PressOn(&dlg, {530, 540});  // the Top view switch
  EXPECT_EQ(dlg.helpPanel(), nullptr);
  EXPECT_EQ(dlg.pages()->state().currentView(), kTopView);
}

TEST_F(MainWindowTest, UpdateStartsTheUpdaterWithoutWaitingForIt) {
  CTavikDlg& dlg = Start();
  const fs::path updater = UpdaterPath(ProgramFolder(folder.path()), MachineName());
  fs::create_directories(updater.parent_path());
  const fs::path started = folder.File("updater-started"), finished = folder.File("updater-finished");
  folder.WriteText(fs::relative(updater, folder.path()).string(),
                   "#!/bin/sh\ntouch '" + started.string() + "'\nsleep 3\ntouch '" + finished.string() + "' 2>/dev/null\n");
  fs::permissions(updater, fs::perms::owner_all);
  PressOn(&dlg, {944, 12});
  ASSERT_NE(dlg.helpPanel(), nullptr);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(80, 37), dlg.helpPanel()->mapToGlobal(QPointF(80, 37)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(dlg.helpPanel(), &press);
  EXPECT_TRUE(Settle([&] { return fs::exists(started); }));
  EXPECT_FALSE(fs::exists(finished));  // the press came back while the updater still runs
}


TEST_F(MainWindowTest, ConfigOpensTheProfileManagerOnceAndClosingWritesTheList) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, {50, 619});
  CConfigDialog* manager = dlg.profileManager();
  ASSERT_NE(manager, nullptr);
  PressOn(&dlg, {50, 619});
  EXPECT_EQ(dlg.profileManager(), manager);  // one at a time
  EXPECT_EQ(manager->size(), QSize(263, 598));
  ASSERT_NE(manager->list(), nullptr);
  const int before = manager->list()->count();

  PressOn(manager, {100, 585});  // New
  ASSERT_EQ(manager->list()->count(), before + 1);
  EXPECT_EQ(manager->list()->currentRow(), before);
  const std::string added = manager->list()->item(before)->text().toStdString();

  PressOn(manager, {245, 12});  // close
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(dlg.profileManager(), nullptr);
  const ProfileList list = ReadProfileList(folder.File("str.ini"));
  EXPECT_EQ(list.names.size(), static_cast<std::size_t>(before + 1));
  EXPECT_EQ(list.currentName, added);
  EXPECT_EQ(dlg.controller().currentProfile(), before);
}

// A key event as the platform delivers it; `time` is its timestamp (X11's server time in ms, 0 for none).
void SendKey(QWidget* to, QEvent::Type type, int key, quint32 keysym, bool autoRepeat = false, quint64 time = 0) {
  QKeyEvent event(type, key, Qt::NoModifier, 0, keysym, 0, QString(), autoRepeat);
  event.setTimestamp(time);
  QCoreApplication::sendEvent(to, &event);
}

std::vector<std::string> Rows(QListWidget* list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text().toStdString());
  return rows;
}

TEST_F(MainWindowTest, TheMacroManagerRecordsKeysFromItsOwnKeyEventsAndOkEncodesThem) {
  CTavikDlg& dlg = Start();
  dlg.controller().macroSession().options.recordDelays = false;
  CMacroProgramDialog manager(&dlg, dlg.controller());
  manager.show();
  PressOn(&manager, {40, 380});  // New
  ASSERT_EQ(Rows(manager.macroList()), (std::vector<std::string>{"Macro_0"}));
  PressOn(&manager, {340, 99});  // Start Recording
  ASSERT_TRUE(manager.model().recording());
  QWidget* focused = manager.eventList();
  quint64 time = 5000;
  SendKey(focused, QEvent::KeyPress, Qt::Key_A, 0x61, false, time);
  // X11's auto-repeat: a release and a press with one time, marked as such by Qt or not.
  for (const bool marked : {true, false, false}) {
    time += 33;
    SendKey(focused, QEvent::KeyRelease, Qt::Key_A, 0x61, marked, time);
    SendKey(focused, QEvent::KeyPress, Qt::Key_A, 0x61, marked, time);
  }
  SendKey(focused, QEvent::KeyRelease, Qt::Key_A, 0x61, false, time += 40);
  SendKey(focused, QEvent::KeyPress, Qt::Key_Control, 0xFFE4, false, time += 40);  // right Ctrl
  SendKey(focused, QEvent::KeyRelease, Qt::Key_Control, 0xFFE4, false, time += 40);
  SendKey(focused, QEvent::KeyPress, Qt::Key_Escape, 0xFF1B, false, time += 40);  // recorded, does not close the window
  SendKey(focused, QEvent::KeyRelease, Qt::Key_Escape, 0xFF1B, false, time += 40);
  SendKey(focused, QEvent::KeyPress, Qt::Key_Super_L, 0xFFEB, false, time += 40);  // the Windows keys
  SendKey(focused, QEvent::KeyRelease, Qt::Key_Super_L, 0xFFEB, false, time += 40);
  SendKey(focused, QEvent::KeyPress, Qt::Key_Super_R, 0xFFEC, false, time += 40);
  SendKey(focused, QEvent::KeyRelease, Qt::Key_Super_R, 0xFFEC, false, time += 40);
  EXPECT_TRUE(manager.isVisible());
  // The last release waits for what follows; a moment without keys decides it.
  ASSERT_TRUE(Settle([&] {
    const std::vector<std::string> rows = Rows(manager.eventList());
    return !rows.empty() && rows.back() == "Right Windows   Up";
  }));
  PressOn(&manager, {340, 99});  // Stop Recording
  EXPECT_FALSE(manager.model().recording());
  EXPECT_EQ(Rows(manager.eventList()),
            (std::vector<std::string>{"A   Dn", "A   Up", "Right Ctrl   Dn", "Right Ctrl   Up", "Esc   Dn", "Esc   Up",
                                      "Left Windows   Dn", "Left Windows   Up", "Right Windows   Dn",
                                      "Right Windows   Up"}));
  PressOn(&manager, {320, 405});  // OK
  ASSERT_TRUE(manager.pages());
  EXPECT_EQ(*manager.pages(), EncodeMacroPages(IniFile(folder.File("record.ini")).Load()).pages);
  EXPECT_NE((*manager.pages())[0], DevicePage{});
}

// Releases the left button on a row of a list, as a click on it ends.
void ClickRow(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  const QPoint at = list->visualItemRect(found.front()).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &event);
  }
}

// Counts the message boxes that open while it lives, and closes each.
class MessageBoxes {
 public:
  MessageBoxes() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      if (auto* box = dynamic_cast<CSkinMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
        texts.push_back(box->text().toStdString());
        box->Answer(box->model().enterAnswer());
      }
    });
    poll_.start(5);
  }
  std::vector<std::string> texts;

 private:
  QTimer poll_;
};

QLineEdit* OpenEditor(QListWidget* list) { return list->viewport()->findChild<QLineEdit*>(); }

TEST_F(MainWindowTest, ARefusedMacroNameIsToldOnceAndTheRowKeepsItsName) {
  CTavikDlg& dlg = Start();
  CMacroProgramDialog manager(&dlg, dlg.controller());
  manager.show();
  PressOn(&manager, {40, 380});  // New
  PressOn(&manager, {40, 380});
  QListWidget* list = manager.macroList();
  ASSERT_EQ(Rows(list), (std::vector<std::string>{"Macro_0", "Macro_1"}));
  const auto edit = [list]() -> QLineEdit* {
    emit list->itemDoubleClicked(list->item(1));
    if (OpenEditor(list) == nullptr) emit list->itemDoubleClicked(list->item(1));  // the first armed the row
    return OpenEditor(list);
  };
  MessageBoxes boxes;

  // Enter on a name another macro has: one message, no editor, the old name.
  QLineEdit* editor = edit();
  ASSERT_NE(editor, nullptr);
  editor->setText("Macro_0");
  SendKey(editor, QEvent::KeyPress, Qt::Key_Return, 0xFF0D);
  ASSERT_TRUE(Settle([&] { return OpenEditor(list) == nullptr && boxes.texts.size() == 1; }));
  EXPECT_EQ(OpenEditor(list), nullptr);
  EXPECT_EQ(Rows(list), (std::vector<std::string>{"Macro_0", "Macro_1"}));
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"There is already a macro named \"Macro_0\"."});
  PressOn(&manager, {200, 20});  // clicks after it raise nothing
  PressOn(&manager, {40, 380});  // New
  ASSERT_TRUE(Settle([&] { return list->count() == 3; }));
  EXPECT_EQ(boxes.texts.size(), 1u);
  ASSERT_EQ(Rows(list), (std::vector<std::string>{"Macro_0", "Macro_1", "Macro_2"}));

  // Escape cancels the edit, and neither closes the window nor says anything.
  editor = edit();
  ASSERT_NE(editor, nullptr);
  editor->setText("Jump");
  SendKey(editor, QEvent::KeyPress, Qt::Key_Escape, 0xFF1B);
  ASSERT_TRUE(Settle([&] { return OpenEditor(list) == nullptr; }));
  EXPECT_EQ(OpenEditor(list), nullptr);
  EXPECT_TRUE(manager.isVisible());
  EXPECT_EQ(Rows(list), (std::vector<std::string>{"Macro_0", "Macro_1", "Macro_2"}));

  // Leaving the box commits it: a blank name is refused the same way.
  editor = edit();
  ASSERT_NE(editor, nullptr);
  editor->setText("   ");
  PressOn(&manager, {200, 20});  // beside the box
  ASSERT_TRUE(Settle([&] { return OpenEditor(list) == nullptr && boxes.texts.size() == 2; }));
  EXPECT_EQ(OpenEditor(list), nullptr);
  EXPECT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(Rows(list)[1], "Macro_1");

  // Enter commits a good name.
  editor = edit();
  ASSERT_NE(editor, nullptr);
  editor->setText("Jump");
  SendKey(editor, QEvent::KeyPress, Qt::Key_Enter, 0xFF8D);
  ASSERT_TRUE(Settle([&] { return OpenEditor(list) == nullptr; }));
  EXPECT_EQ(OpenEditor(list), nullptr);
  EXPECT_EQ(Rows(list), (std::vector<std::string>{"Macro_0", "Jump", "Macro_2"}));
  EXPECT_EQ(boxes.texts.size(), 2u);
  EXPECT_TRUE(manager.isVisible());  // Enter went to the editor, not to OK
}

TEST_F(MainWindowTest, TheInPlaceEditorIsFramedInTheSkinsTextColour) {
  CTavikDlg& dlg = Start();
  CMacroProgramDialog manager(&dlg, dlg.controller());
  manager.show();
  PressOn(&manager, {40, 380});  // New
  QListWidget* list = manager.macroList();
  emit list->itemDoubleClicked(list->item(0));
  if (OpenEditor(list) == nullptr) emit list->itemDoubleClicked(list->item(0));
  QLineEdit* editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  const SkinSettings& skin = dlg.controller().skin();
  const QImage shot = editor->grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, shot.height() / 2), QColor(skin.red, skin.green, skin.blue));
  EXPECT_NE(shot.pixelColor(shot.width() - 4, shot.height() / 2),
            list->grab().toImage().pixelColor(list->width() - 4, list->height() - 4))
      << "the box has its own ground";
}

// Opens the list's context menu and picks the entry with this text.
void PickFromMenu(QListWidget* list, const QString& text) {
  QTimer::singleShot(20, [text] {
    auto* menu = dynamic_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      if (action->text() == text) menu->setActiveAction(action);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
  });
  emit list->customContextMenuRequested(list->visualItemRect(list->currentItem()).center());
}

TEST_F(MainWindowTest, TheProfileManagersMenuLinksApplicationsAndUnlinksOnClosing) {
  const std::string first = ReadProfileList(folder.File("str.ini")).names.at(0);
  const std::string rules = "[Applications]\r\nsteam_app_1=" + first + "\r\n";
  folder.WriteText("app-profiles.ini", rules);
  CTavikDlg& dlg = Start();
  PressOn(&dlg, {50, 619});
  CConfigDialog* manager = dlg.profileManager();
  ASSERT_NE(manager, nullptr);
  QListWidget* list = manager->list();
  ASSERT_NE(list, nullptr);
  list->setCurrentRow(0);

  // No application has had the focus yet: the sub-menu offers only a typed id.
  QStringList offered;
  QTimer::singleShot(20, [&offered] {
    auto* menu = dynamic_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      if (action->text() != "Link to application" || action->menu() == nullptr) continue;
      for (QAction* item : action->menu()->actions()) offered << item->text();
    }
    menu->close();
  });
  emit list->customContextMenuRequested(list->visualItemRect(list->currentItem()).center());
  EXPECT_EQ(offered, QStringList{QString::fromUtf8("Other…")});

  PickFromMenu(list, "Unlink steam_app_1");
  EXPECT_EQ(folder.ReadText("app-profiles.ini"), rules);  // stored with the list, when the manager closes
  PressOn(manager, {245, 12});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ReadAppProfiles(folder.File("app-profiles.ini")).links.size(), 0u);
}

TEST_F(MainWindowTest, ARefusedProfileNameIsToldOnceAndTheEntryKeepsItsName) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, {50, 619});
  CConfigDialog* manager = dlg.profileManager();
  ASSERT_NE(manager, nullptr);
  QListWidget* list = manager->list();
  ASSERT_NE(list, nullptr);
  list->setCurrentRow(0);
  const std::vector<std::string> before = Rows(list);
  MessageBoxes boxes;
  PickFromMenu(list, "Edit");  // the first Edit arms the entry, the second opens the editor
  PickFromMenu(list, "Edit");
  QLineEdit* editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  editor->setText(" ");
  SendKey(editor, QEvent::KeyPress, Qt::Key_Return, 0xFF0D);
  ASSERT_TRUE(Settle([&] { return OpenEditor(list) == nullptr && !boxes.texts.empty(); }));
  EXPECT_EQ(OpenEditor(list), nullptr);
  EXPECT_EQ(Rows(list), before);
  EXPECT_EQ(manager->model().entries()[0].name, before[0]);
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"A profile needs a name."});
  PressOn(manager, {100, 300});  // a click elsewhere raises nothing more
  Settle();  // runs what the click queued
  EXPECT_EQ(boxes.texts.size(), 1u);

  PickFromMenu(list, "Edit");
  editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  editor->setText("Games");
  SendKey(editor, QEvent::KeyPress, Qt::Key_Escape, 0xFF1B);  // cancelled
  ASSERT_TRUE(Settle([&] { return OpenEditor(list) == nullptr; }));
  EXPECT_EQ(OpenEditor(list), nullptr);
  EXPECT_EQ(Rows(list), before);

  PickFromMenu(list, "Edit");
  editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  editor->setText("Games");
  SendKey(editor, QEvent::KeyPress, Qt::Key_Return, 0xFF0D);
  ASSERT_TRUE(Settle([&] { return Rows(list)[0] == "Games"; }));
  EXPECT_EQ(Rows(list)[0], "Games");
  EXPECT_EQ(manager->model().entries()[0].name, "Games");
  EXPECT_EQ(boxes.texts.size(), 1u);
  manager->CloseDialog();
}

constexpr QPoint kButtonAssignmentHeader{100, 117};
QPoint DropdownOf(int button) { return {185, 162 + 20 * button}; }  // 0-7
constexpr QPoint kDialogOk{279, 262};
constexpr QPoint kDialogCancel{343, 262};

TEST_F(MainWindowTest, TheSingleKeyDialogNamesTheLastKeyAndNoKeyClosesIt) {
  CTavikDlg& dlg = Start();
  CSingleDialog dialog(&dlg, dlg.controller().skin(), dlg.controller().language());
  dialog.show();
  ASSERT_TRUE(dialog.loaded());
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_Shift, 0xFFE1);
  EXPECT_EQ(dialog.keyName(), "Shift");
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_Control, 0xFFE4);
  EXPECT_EQ(dialog.keyName(), "Right Ctrl");
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_A, 0x61);
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_B, 0x62);
  EXPECT_EQ(dialog.keyName(), "B");
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_C, 0x63, true);  // auto-repeat is not a press
  EXPECT_EQ(dialog.keyName(), "B");
  for (const auto& [key, keysym] : {std::pair{Qt::Key_Return, 0xFF0Du}, {Qt::Key_Escape, 0xFF1Bu}, {Qt::Key_F1, 0xFFBEu}}) {
    SendKey(&dialog, QEvent::KeyPress, key, keysym);
    SendKey(&dialog, QEvent::KeyRelease, key, keysym);
    EXPECT_TRUE(dialog.isVisible()) << keysym;
  }
  EXPECT_EQ(dialog.keyName(), "F1");
  PressOn(&dialog, {360, 14});  // ×
  EXPECT_FALSE(dialog.isVisible());
}

// The pixels of a canvas outside the given rectangles, the rest made black.
QImage Outside(const QImage& canvas, std::initializer_list<Rect> rects) {
  QImage outside = canvas.copy();
  QPainter painter(&outside);
  for (const Rect& rect : rects) painter.fillRect(ToQRect(rect), Qt::black);
  return outside;
}

TEST_F(MainWindowTest, CapturedKeysAreDrawnOnTheirKeycapsAndNowhereElse) {
  CTavikDlg& dlg = Start();
  CSingleDialog single(&dlg, dlg.controller().skin(), dlg.controller().language());
  single.show();
  const QImage empty = single.canvas().copy();
  SendKey(&single, QEvent::KeyPress, Qt::Key_Print, 0xFF61);  // two words on the cap
  ASSERT_EQ(single.keyName(), "Prnt Scrn");
  const Rect cap = SingleKeyModel::kKeycapRect;
  EXPECT_NE(single.canvas().copy(ToQRect(cap)), empty.copy(ToQRect(cap)));
  EXPECT_EQ(Outside(single.canvas(), {cap, SingleKeyModel::kKeyNameRect}),
            Outside(empty, {cap, SingleKeyModel::kKeyNameRect}));

  CComboDialog combo(&dlg, dlg.controller().skin(), dlg.controller().language());
  combo.show();
  const QImage blank = combo.canvas().copy();
  PressOn(&combo, {90, 77});
  ClickRow(combo.modifierList(), "Left Ctrl");
  QLineEdit* first = combo.firstKeyBox();
  first->setFocus();
  QFocusEvent focus(QEvent::FocusIn);
  QCoreApplication::sendEvent(first, &focus);
  SendKey(first, QEvent::KeyPress, Qt::Key_A, 0x61);
  for (const Rect& face : {ComboKeyModel::kModifierCapRect, ComboKeyModel::kFirstKeyCapRect}) {
    EXPECT_NE(combo.canvas().copy(ToQRect(face)), blank.copy(ToQRect(face))) << face.left;
  }
  EXPECT_EQ(combo.canvas().copy(ToQRect(ComboKeyModel::kSecondKeyCapRect)),
            blank.copy(ToQRect(ComboKeyModel::kSecondKeyCapRect)))
      << "no second key yet";
}

TEST_F(MainWindowTest, AComboChosenFromButtonTwosListIsStoredWithItsLabel) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, kButtonAssignmentHeader);
  PressOn(&dlg, DropdownOf(1));
  ASSERT_NE(dlg.assignmentList(), nullptr);
  EXPECT_EQ(dlg.assignmentList()->geometry().top(), DropdownOf(1).y() - 8);
  WhenModal<CComboDialog>([](CComboDialog& combo) {
    PressOn(&combo, {90, 77});  // the modifier box
    QListWidget* modifiers = combo.findChild<QListWidget*>();
    ASSERT_NE(modifiers, nullptr);
    ClickRow(modifiers, "Left Ctrl");
    const QList<QLineEdit*> boxes = combo.findChildren<QLineEdit*>();
    ASSERT_EQ(boxes.size(), 2);
    for (int i = 0; i < 2; ++i) {
      boxes[i]->setFocus();
      QFocusEvent focus(QEvent::FocusIn);
      QCoreApplication::sendEvent(boxes[i], &focus);
      SendKey(boxes[i], QEvent::KeyPress, i == 0 ? Qt::Key_A : Qt::Key_B, i == 0 ? 0x61 : 0x62);
    }
    PressOn(&combo, kDialogOk);
  });
  ClickRow(dlg.assignmentList(), "Combo Key");
  const MouseConfig& config = dlg.controller().config();
  EXPECT_EQ(config.Arg(kComboModifierArg, 1), 0x01);
  EXPECT_EQ(config.Arg(kComboFirstKeyArg, 1), 0x04);
  EXPECT_EQ(config.Arg(kComboSecondKeyArg, 1), 0x05);
  EXPECT_EQ(dlg.controller().labels()[1], "Combo Key-Left Ctrl+A+B");
  EXPECT_EQ(dlg.assignmentList(), nullptr);
}

TEST_F(MainWindowTest, CancelLeavesTheButtonAsItWasAndTheLastClickIsRefused) {
  CTavikDlg& dlg = Start();
  const MouseConfig before = dlg.controller().config();
  PressOn(&dlg, kButtonAssignmentHeader);
  PressOn(&dlg, DropdownOf(3));
  WhenModal<CSingleDialog>([](CSingleDialog& single) {
    SendKey(&single, QEvent::KeyPress, Qt::Key_A, 0x61);
    PressOn(&single, kDialogCancel);
  });
  ClickRow(dlg.assignmentList(), "Single Key");
  EXPECT_EQ(dlg.controller().config(), before);

  std::string warning;
  WhenModal<CSkinMessageBox>([&warning](CSkinMessageBox& box) {
    warning = box.text().toStdString();
    box.Answer(MessageBoxAnswer::kOk);
  });
  PressOn(&dlg, DropdownOf(0));  // button 1 holds the only "Click"
  EXPECT_EQ(warning, "Left key must be selected!");
  EXPECT_EQ(dlg.assignmentList(), nullptr);
}

TEST_F(MainWindowTest, TheCopyCommandButtonPutsTheCommandOnTheClipboard) {
  CTavikDlg& dlg = Start();
  QGuiApplication::clipboard()->clear();
  std::string shown;
  WhenModal<CSkinMessageBox>([&shown](CSkinMessageBox& box) {
    shown = box.text().toStdString();
    ASSERT_EQ(box.model().buttons()[1].caption, "Copy command");
    PressOn(&box, ToQRect(box.model().layout().buttons[1]).center());
  });
  dlg.ShowCommandMessage({"No access:", "echo rule | sudo tee", "Then log in again.", "Warning", "Copy command"});
  EXPECT_EQ(shown, "No access:\n\necho rule | sudo tee\n\nThen log in again.");
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "echo rule | sudo tee");
}

TEST_F(MainWindowTest, AQuestionIsYesByEnterYOrYesAndNoByEscapeAltNCloseOrNo) {
  CTavikDlg& dlg = Start();
  const auto ask = [&dlg](std::function<void(CSkinMessageBox&)> answer) {
    WhenModal<CSkinMessageBox>(std::move(answer));
    return dlg.Confirm("Discard the changes?", "Warning");
  };
  const auto press = [](CSkinMessageBox& box, const Rect& rect) { PressOn(&box, ToQRect(rect).center()); };
  EXPECT_TRUE(ask([](CSkinMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Warning"));
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(box.text(), QStringLiteral("Discard the changes?"));
    SendKey(&box, QEvent::KeyPress, Qt::Key_Return, 0xFF0D);
  }));
  EXPECT_FALSE(ask([](CSkinMessageBox& box) { SendKey(&box, QEvent::KeyPress, Qt::Key_Escape, 0xFF1B); }));
  EXPECT_FALSE(ask([](CSkinMessageBox& box) {
    QKeyEvent altN(QEvent::KeyPress, Qt::Key_N, Qt::AltModifier);
    QCoreApplication::sendEvent(&box, &altN);
  }));
  EXPECT_TRUE(ask([](CSkinMessageBox& box) { SendKey(&box, QEvent::KeyPress, Qt::Key_Y, 0x79); }));
  EXPECT_FALSE(ask([&press](CSkinMessageBox& box) { press(box, box.model().layout().close); }));
  EXPECT_FALSE(ask([&press](CSkinMessageBox& box) { press(box, box.model().layout().buttons[1]); }));
  EXPECT_TRUE(ask([&press](CSkinMessageBox& box) { press(box, box.model().layout().buttons[0]); }));
}

TEST_F(MainWindowTest, AMessageOpensOnTheScreenOnTheSkinsDarkGroundMarkedByItsCaption) {
  CTavikDlg& dlg = Start();
  const std::string text(300, 'x');  // one word wider than the box: it must still end inside the box
  MessageBoxKind kind = MessageBoxKind::kQuestion;
  WhenModal<CSkinMessageBox>([&kind](CSkinMessageBox& box) {
    kind = box.model().kind();
    EXPECT_TRUE(box.screen()->availableGeometry().contains(box.frameGeometry()));
    EXPECT_LE(box.model().layout().text.right, box.width());
    const QImage face = box.grab().toImage();
    EXPECT_LT(face.pixelColor(4, face.height() / 2).lightness(), 70);
    SendKey(&box, QEvent::KeyPress, Qt::Key_Escape, 0xFF1B);
  });
  dlg.ShowMessage(text, "Warning");
  EXPECT_EQ(kind, MessageBoxKind::kWarning);
  WhenModal<CSkinMessageBox>([&kind](CSkinMessageBox& box) {
    kind = box.model().kind();
    SendKey(&box, QEvent::KeyPress, Qt::Key_Enter, 0xFF8D);
  });
  dlg.ShowMessage("Saved.", "Tellurix Korvane");
  EXPECT_EQ(kind, MessageBoxKind::kInformation);
}

TEST_F(MainWindowTest, MenusListsAndEditBoxesTakeTheSkinsDarkLook) {
  Start();
  QMenu menu;
  menu.addAction(QStringLiteral("Exit"));
  QListWidget list;
  list.resize(120, 80);
  QLineEdit edit;
  for (QWidget* widget : std::initializer_list<QWidget*>{&menu, &list, &edit}) {
    const QImage shot = widget->grab().toImage();
    EXPECT_LT(shot.pixelColor(shot.width() - 4, shot.height() / 2).lightness(), 70) << widget->metaObject()->className();
  }
}

TEST_F(MainWindowTest, TheExportChooserOpensAtHomeOfferingTheProfilesName) {
  testing::TempFolder home;
  const testing::EnvironmentVariable homeVariable("HOME", home.path().c_str());
  CTavikDlg& dlg = Start();
  const QString folder = QString::fromStdString(home.path().string());
  QStringList offered;
  QString opened;
  WhenModal<QFileDialog>([&](QFileDialog& chooser) {
    opened = chooser.directory().absolutePath();
    offered = chooser.selectedFiles();
    chooser.reject();
  });
  EXPECT_FALSE(dlg.ChooseProfileFile(true, "Gaming").has_value());
  EXPECT_EQ(opened, folder);
  EXPECT_EQ(offered, QStringList{folder + QStringLiteral("/Gaming.bin")});
}

TEST_F(MainWindowTest, TheMacroKeyDialogEncodesTheChosenMacroAndModeAndRefusesWithoutMacros) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, kButtonAssignmentHeader);
  std::string refusal;
  WhenModal<CMacroDialog>([&refusal](CMacroDialog& macro) {
    WhenModal<CSkinMessageBox>([&refusal](CSkinMessageBox& box) {
      refusal = box.text().toStdString();
      box.Answer(MessageBoxAnswer::kOk);
    });
    PressOn(&macro, kDialogOk);  // record.ini has no macro yet
    EXPECT_TRUE(macro.isVisible());
    PressOn(&macro, kDialogCancel);
  });
  PressOn(&dlg, DropdownOf(6));
  ClickRow(dlg.assignmentList(), "Macro Key");
  EXPECT_NE(refusal.find("Macro Manager"), std::string::npos) << refusal;
  EXPECT_EQ(dlg.controller().config().buttonKind[6], 3);

  folder.WriteText("record.ini", "[One]\nItemCount=0\n[Two]\nItemCount=0\n[Three]\nItemCount=0\n");
  WhenModal<CMacroDialog>([](CMacroDialog& macro) {
    PressOn(&macro, {100, 136});  // the macro name box
    ClickRow(macro.findChild<QListWidget*>(), "Three");
    PressOn(&macro, {228, 186});  // the third repeat mode
    PressOn(&macro, kDialogOk);
  });
  PressOn(&dlg, DropdownOf(6));
  ClickRow(dlg.assignmentList(), "Macro Key");
  const ButtonEntry entry = EncodeButtonEntry(dlg.controller().config(), 6);
  EXPECT_EQ(std::vector<Byte>(entry.begin(), entry.end()), (std::vector<Byte>{0x09, 0x02, 0x03, 0x00}));
  EXPECT_EQ(dlg.controller().labels()[6], "Macro Key-Three");
}

TEST_F(MainWindowTest, SubListsOpenOnHoverAndStoreTheCataloguesByte) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, kButtonAssignmentHeader);
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    if (info.subList.empty()) continue;
    for (std::size_t position = 0; position < info.subList.size(); ++position) {
      PressOn(&dlg, DropdownOf(5));
      QListWidget* list = dlg.assignmentList();
      ASSERT_NE(list, nullptr);
      emit list->itemEntered(list->item(static_cast<int>(info.kind)));
      ASSERT_NE(dlg.subList(), nullptr) << info.token;
      EXPECT_EQ(dlg.subList()->count(), static_cast<int>(info.subList.size()));
      ClickRow(dlg.subList(), QString::fromUtf8(info.subList[position].text.English().data(),
                                                static_cast<int>(info.subList[position].text.English().size())));
      EXPECT_EQ(dlg.controller().config().buttonKind[5], static_cast<Byte>(info.kind)) << info.token;
      EXPECT_EQ(dlg.controller().config().Arg(info.subListArg, 5), info.subList[position].stored) << info.token;
      EXPECT_EQ(dlg.assignmentList(), nullptr);
    }
  }
}

// Typing as the keyboard does it: a press with the character's text.
void Type(QWidget* to, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (c.unicode() - '0'), Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(to, &press);
  }
}

constexpr QPoint kCpiHeader{850, 42};

TEST_F(MainWindowTest, StageBoxesTakeTypedAndPastedNumbersAndFollowTheirPanel) {
  CTavikDlg& dlg = Start();
  EXPECT_EQ(dlg.stageBox(0), nullptr);
  PressOn(&dlg, kCpiHeader);
  QLineEdit* box = dlg.stageBox(0);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), "800");
  // Over its image (760, 220, 40 × 16), as tall as its font's line needs.
  EXPECT_EQ(box->x(), 760);
  EXPECT_EQ(box->width(), 40);
  EXPECT_GE(box->height(), 16);
  EXPECT_NEAR(box->geometry().center().y(), 228, 1);

  box->setFocus();
  box->selectAll();
  Type(box, "1600");  // digit by digit: 1, 16, 160 are no CPI yet
  EXPECT_EQ(box->text(), "1600");
  EXPECT_EQ(dlg.controller().config().dpiStage[0], 32);
  box->selectAll();
  Type(box, "1234");
  EXPECT_EQ(box->text(), "1234");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(box, &enter);
  EXPECT_EQ(box->text(), "1250");
  EXPECT_EQ(dlg.controller().config().dpiStage[0], 25);

  QLineEdit* second = dlg.stageBox(1);
  QApplication::clipboard()->setText("99999");
  second->selectAll();
  second->paste();
  EXPECT_EQ(second->text(), "5000");
  EXPECT_EQ(dlg.controller().config().dpiStage[1], 100);

  // A level bar's press shows in its box; nothing reaches the mouse before Save.
  PressOn(&dlg, {780, 203 - 1});
  EXPECT_EQ(box->text(), "100");
  EXPECT_EQ(dlg.controller().config().dpiStage[0], 2);
  EXPECT_EQ(dlg.controller().savedConfig().dpiStage[0], 16);

  PressOn(&dlg, kCpiHeader);
  QCoreApplication::processEvents();
  EXPECT_EQ(dlg.stageBox(0), nullptr);
}

TEST_F(MainWindowTest, AStageBoxTakesOnlyDigitsAndAPressOnTheFaceShowsWhatTheRecordHolds) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, kCpiHeader);
  QLineEdit* box = dlg.stageBox(0);
  ASSERT_NE(box, nullptr);
  box->setFocus();
  box->selectAll();
  Type(box, "abc");
  EXPECT_EQ(box->text(), "800");
  box->selectAll();
  Type(box, "1x2-0 0");
  EXPECT_EQ(box->text(), "1200");
  EXPECT_EQ(dlg.controller().config().dpiStage[0], 24);

  box->selectAll();
  Type(box, "99999");
  // The logo: plain face, whose press starts nothing but a window move.
  const QPoint face{kLogoX + 40, kLogoY + 20};
  ASSERT_EQ(ClassifyMainClick(dlg.pages()->state(), face.x(), face.y()).kind, MainClick::Kind::kDrag);
  PressOn(&dlg, face);
  EXPECT_NE(dlg.focusWidget(), box);
  EXPECT_EQ(box->text(), "5000");
  EXPECT_EQ(dlg.controller().config().dpiStage[0], 100);
}

TEST_F(MainWindowTest, TheScrollLinesBoxRestsWhileOneScreenIsChosenAndResetShowsTheFactoryValues) {
  CTavikDlg& dlg = Start();
  const int bottom = kTrackBottom - kThumbHeight;
  dlg.MoveThumb(bottom);
  dlg.OnThumbMoved(bottom);  // page 2: Mouse Speed heads the column
  dlg.ToggleSection(MainSection::kScrollSpeed);
  QLineEdit* lines = dlg.scrollLinesBox();
  ASSERT_NE(lines, nullptr);
  EXPECT_TRUE(lines->isEnabled());
  const QPoint box = lines->geometry().center();
  PressOn(&dlg, {box.x() - 120, box.y() + 38});  // "Scroll one screen"
  EXPECT_EQ(dlg.controller().config().scrollOneScreen, 1);
  EXPECT_FALSE(lines->isEnabled());
  PressOn(&dlg, {box.x() - 120, box.y()});  // "The number of rows"
  EXPECT_TRUE(lines->isEnabled());
  PressOn(&dlg, {lines->geometry().right() + 9, lines->geometry().top() + 2});  // up
  EXPECT_EQ(lines->text(), "4");
  EXPECT_EQ(dlg.controller().config().scrollLines, 4);

  AnswerQuestion(true);
  PressOn(&dlg, {826, 619});  // Reset: the factory values, and the window starts over
  EXPECT_EQ(dlg.controller().config().scrollLines, 3);
  EXPECT_EQ(dlg.scrollLinesBox(), nullptr);
}

TEST_F(MainWindowTest, AStageSwatchOpensTheColourChooserOnTheStagesColour) {
  CTavikDlg& dlg = Start();
  PressOn(&dlg, kCpiHeader);
  QColor offered;
  WhenModal<QColorDialog>([&offered](QColorDialog& chooser) {
    offered = chooser.currentColor();
    chooser.setCurrentColor(QColor(0x12, 0x34, 0x56));
    chooser.accept();
  });
  PressOn(&dlg, {830, 260});  // stage 2's swatch
  EXPECT_EQ(offered, QColor(0, 255, 0));
  const MouseConfig& config = dlg.controller().config();
  EXPECT_EQ(std::vector<Byte>(config.stageColor.begin() + 3, config.stageColor.begin() + 6),
            (std::vector<Byte>{0x12, 0x56, 0x34}));
  EXPECT_EQ(dlg.canvas().pixelColor(830, 260), QColor(0x12, 0x34, 0x56));
}

// Measures every text a window shows against the room it has, with the metrics of the font it is shown in:
// what DrawSkinText draws (told by its recorder), list rows, and line edits.
class TextFit {
 public:
  TextFit() { SetDrawnTextRecorder([this](const DrawnText& drawn) { Skinned(drawn); }); }
  ~TextFit() { SetDrawnTextRecorder({}); }

  void Skinned(const DrawnText& drawn) {
    ++measured;
    if (drawn.font.pixelSize() < fullSize) {
      Fault(drawn.text, {drawn.font.pixelSize(), 0}, {fullSize, 0}, "font made smaller");
    }
    const QFontMetrics metrics(drawn.font);
    if ((drawn.flags & Qt::TextWordWrap) != 0) {
      const QRect needed = metrics.boundingRect(drawn.rect, drawn.flags, drawn.text);
      if (!drawn.rect.contains(needed)) Fault(drawn.text, needed.size(), drawn.rect.size(), "wrapped");
      return;
    }
    Line(drawn.text, drawn.font, drawn.rect.size());
  }

  // One line of text in a room of this size.
  void Line(const QString& text, const QFont& font, QSize room) {
    ++measured;
    const QFontMetrics metrics(font);
    const QSize needed(metrics.horizontalAdvance(text), metrics.ascent() + metrics.descent());
    if (needed.width() > room.width() || needed.height() > room.height()) Fault(text, needed, room, "line");
  }

  // Every row of a list, the padding of its style sheet and the item view's text margins taken off, and the
  // list inside its window.
  void Rows(QListWidget* list) {
    ASSERT_NE(list, nullptr);
    if (!list->window()->rect().contains(QRect(list->mapTo(list->window(), QPoint(0, 0)), list->size()))) {
      Fault(QStringLiteral("list"), list->size(), list->window()->size(), "outside its window");
    }
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (int row = 0; row < list->count(); ++row) {
      const QRect item = list->visualItemRect(list->item(row));
      const int right = std::min(item.right() + 1, list->viewport()->width());
      Line(list->item(row)->text(), list->font(), QSize(right - item.left() - kRowPadding - 2 * margin, item.height()));
    }
  }

  // A line edit's text within its contents, less the margins the line edit keeps inside them; the line edit
  // inside what holds it.
  void Edit(QLineEdit* edit) {
    ASSERT_NE(edit, nullptr);
    if (!edit->parentWidget()->rect().contains(edit->geometry())) {
      Fault(edit->text(), edit->size(), edit->parentWidget()->size(), "edit outside what holds it");
    }
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    Line(edit->text(), edit->font(), contents.size() - QSize(2 * kEditHorizontalMargin, 2 * kEditVerticalMargin));
  }

  std::string where;
  int fullSize = 0;  // a text drawn smaller than this is a fault too
  int measured = 0;
  std::vector<std::string> faults;

 private:
  static constexpr int kRowPadding = 3;            // the popup lists' "padding-left"
  static constexpr int kEditHorizontalMargin = 2;  // QLineEdit's own, inside its contents
  static constexpr int kEditVerticalMargin = 1;

  void Fault(const QString& text, QSize needed, QSize room, const char* kind) {
    std::ostringstream out;
    out << where << ": " << kind << " \"" << text.toStdString() << "\" needs " << needed.width() << "x"
        << needed.height() << " of " << room.width() << "x" << room.height();
    faults.push_back(out.str());
  }
};

TEST_F(MainWindowTest, EveryTextOfEveryWindowFitsInEveryLanguage) {
  for (const char* code : {"", "CHS", "CHT"}) {
    SetLanguage(code);
    TextFit fit;
    const std::string language = *code == '\0' ? "EN" : code;
    CTavikDlg& dlg = Start();

    fit.where = language + " main window";
    dlg.RepaintMainWindow();
    for (const MainSection section : {MainSection::kButtonAssignment, MainSection::kXYSensitivity,
                                      MainSection::kCpiSetting, MainSection::kLighting, MainSection::kUsbReportRate}) {
      dlg.ToggleSection(section);
    }
    for (int k = 0; k < 4; ++k) fit.Edit(dlg.stageBox(k));
    for (const QPoint at : {QPoint(50, 619), QPoint(820, 619), QPoint(880, 619), QPoint(950, 619)}) {
      dlg.pages()->PointerMoved(at.x(), at.y());  // the buttons' hover looks
    }
    // Every label of the catalogue in a drop-down box, in the window's full text size; the lists beside
    // every box.
    fit.fullSize = dlg.pages()->textFont().pixelSize();
    for (const ButtonKindInfo& info : BUTTON_KINDS) {
      if (!info.subList.empty()) {
        for (std::size_t position = 0; position < info.subList.size(); ++position) {
          dlg.controller().OnSubListChosen(2, info.kind, static_cast<int>(position));
        }
      } else if (StepForKind(info.kind) == AssignmentStep::kStore) {
        dlg.controller().OnAssignmentChosen(2, info.kind);
      }
    }
    fit.fullSize = 0;
    for (int button = 0; button < static_cast<int>(kButtonCount); ++button) {
      fit.where = language + " assignment list of button " + std::to_string(button + 1);
      dlg.ShowAssignmentList(button);
      QListWidget* list = dlg.assignmentList();
      fit.Rows(list);
      for (int row = 0; row < list->count(); ++row) {
        emit list->itemEntered(list->item(row));
        if (dlg.subList() != nullptr) fit.Rows(dlg.subList());
      }
      dlg.CloseAssignmentList();
    }
    fit.where = language + " main window, page 2";
    const int bottom = kTrackBottom - kThumbHeight;
    dlg.MoveThumb(bottom);
    dlg.OnThumbMoved(bottom);
    for (const MainSection section : {MainSection::kAngleSnap, MainSection::kScrollSpeed,
                                      MainSection::kDoubleClickSpeed, MainSection::kMouseSpeed}) {
      dlg.ToggleSection(section);
    }
    fit.Edit(dlg.scrollLinesBox());
    // The CPI panel is not on page 2: nothing of it is shown over the panels there.
    for (const QLineEdit* edit : dlg.findChildren<QLineEdit*>()) {
      if (edit != dlg.scrollLinesBox()) {
        EXPECT_FALSE(edit->isVisible()) << edit->text().toStdString();
      }
    }

    fit.where = language + " help panel";
    PressOn(&dlg, {944, 12});
    PressOn(&dlg, {944, 12});

    const SkinSettings& skin = dlg.controller().skin();
    const Language lang = dlg.controller().language();
    {
      fit.where = language + " Single Key";
      CSingleDialog single(&dlg, skin, lang);
      single.show();
    }
    {
      fit.where = language + " Combo Key";
      CComboDialog combo(&dlg, skin, lang);
      combo.show();
      PressOn(&combo, {ComboKeyModel::kModifierBoxRect.left + 2, ComboKeyModel::kModifierBoxRect.top + 2});
      for (QListWidget* list : combo.findChildren<QListWidget*>()) fit.Rows(list);
    }
    {
      fit.where = language + " Macro Key";
      CMacroDialog macro(&dlg, skin, lang, {"Macro_0", "Macro_11"});
      macro.show();
      fit.Line(ToQString(MacroKeyStringsFor(lang).selectMacroPrompt), MakeFont(FontsFor(lang).dialog, lang),
               ToQRect(MacroKeyModel::kPromptRect).size());
      PressOn(&macro, {MacroKeyModel::kBoxRect.left + 2, MacroKeyModel::kBoxRect.top + 2});
      for (QListWidget* list : macro.findChildren<QListWidget*>()) fit.Rows(list);
    }
    {
      fit.where = language + " Macro Manager";
      CMacroProgramDialog manager(&dlg, dlg.controller());
      manager.show();
      PressOn(&manager, {40, 380});  // New
      PressOn(&manager, {340, 99});  // Start Recording
      PressOn(&manager, {340, 99});  // Stop Recording
      fit.Rows(manager.macroList());
      fit.Rows(manager.eventList());
      fit.Edit(manager.findChild<QLineEdit*>());
      new CLBEditorWnd(manager.macroList(), 0, [](const std::string&) { return std::string(); }, {});
      for (QLineEdit* edit : manager.macroList()->findChildren<QLineEdit*>()) fit.Edit(edit);
    }
    fit.where = language + " profile manager";
    PressOn(&dlg, {50, 619});
    CConfigDialog* profiles = dlg.profileManager();
    ASSERT_NE(profiles, nullptr);
    fit.Rows(profiles->list());
    new CLBEditorWnd(profiles->list(), 0, [](const std::string&) { return std::string(); }, {});
    for (QLineEdit* edit : profiles->list()->findChildren<QLineEdit*>()) fit.Edit(edit);

    EXPECT_GT(fit.measured, 300) << language;
    for (const std::string& fault : fit.faults) ADD_FAILURE() << fault;
    window.reset();
  }
}

TEST_F(MainWindowTest, ANewLabelLeavesNothingOfTheOldOneAroundItsBox) {
  CTavikDlg& dlg = Start();
  dlg.ToggleSection(MainSection::kButtonAssignment);
  const QRect line = ToQRect(DropdownLabelRect(dlg.pages()->DropdownBox(0))).adjusted(-4, 0, 0, 0);
  dlg.controller().OnAssignmentChosen(0, ButtonKind::Menu);
  const QImage fresh = dlg.canvas().copy(line);
  dlg.controller().OnAssignmentChosen(0, ButtonKind::DoubleClick);
  dlg.controller().OnSubListChosen(0, ButtonKind::HotKey, 2);  // "Copy": a descender below the box
  dlg.controller().OnAssignmentChosen(0, ButtonKind::Menu);
  EXPECT_TRUE(dlg.canvas().copy(line) == fresh);
}

TEST_F(MainWindowTest, ChineseSectionTitlesSitInTheMiddleOfTheirBars) {
  for (const char* code : {"CHS", "CHT"}) {
    SetLanguage(code);
    CTavikDlg& dlg = Start();
    const Rect bar = dlg.pages()->state().LeftColumn().sections.front().HeaderRect();
    // The rows the title's ink covers: pixels as bright as the skin's text colour.
    int first = -1, last = -1;
    for (int y = bar.top; y < bar.bottom; ++y) {
      for (int x = bar.left + kHeaderTitleIndent; x < bar.left + kHeaderTitleIndent + 60; ++x) {
        const QColor pixel = dlg.canvas().pixelColor(x, y);
        if (std::min({pixel.red(), pixel.green(), pixel.blue()}) < 150) continue;
        if (first < 0) first = y;
        last = y;
      }
    }
    ASSERT_GE(first, 0) << code;
    const int above = first - bar.top, below = bar.bottom - 1 - last;
    EXPECT_LE(std::abs(above - below), 1) << code << ": " << above << " rows above the title, " << below << " below";
    window.reset();
  }
}

TEST_F(MainWindowTest, RepaintsDrawFromDecodedImagesWithoutReadingTheSkinAgain) {
  CTavikDlg& dlg = Start();
  const auto openEverything = [&dlg] {
    dlg.RepaintMainWindow();
    for (const MainSection section : {MainSection::kButtonAssignment, MainSection::kXYSensitivity,
                                      MainSection::kCpiSetting, MainSection::kLighting}) {
      dlg.ToggleSection(section);
    }
    dlg.pages()->PointerMoved(950, 619);  // Save's hover look
    dlg.pages()->SwitchView(kTopView);
  };
  openEverything();
  const QImage first = dlg.canvas().copy();
  const int decodes = SkinImageDecodes();
  openEverything();
  EXPECT_EQ(SkinImageDecodes(), decodes);
  EXPECT_EQ(dlg.canvas(), first);
}

TEST_F(MainWindowTest, SecondInstanceEndsAtOnceWithCodeZero) {
  testing::TempFolder runtime;
  SingleInstanceLock first;
  ASSERT_EQ(first.Acquire(runtime.path()), SingleInstanceLock::Outcome::kAcquired);
  EXPECT_EQ(RunProgram({}, runtime.path()), 0);
}

TEST_F(MainWindowTest, ScreenshotWritesTheWindowAsPng) {
  testing::TempFolder runtime;
  const fs::path shot = runtime.File("shot.png");
  EXPECT_EQ(RunProgram({"--screenshot", QString::fromStdString(shot.string()), "--open", "cpi", "button-assignment"},
                       runtime.path()),
            0);
  const QImage image(QString::fromStdString(shot.string()));
  EXPECT_EQ(image.size(), QImage(SkinFile(folder.path(), "main.png")).size());
}

TEST_F(MainWindowTest, AScreenshotDrawsTheListsAndWindowsItsStepsOpenOverTheMainWindow) {
  CTavikDlg& dlg = Start();
  const QImage shot = TakeScreenshot(dlg, {"button-assignment", "list4", "single-key"});
  EXPECT_EQ(shot.size(), dlg.size());
  ASSERT_NE(dlg.assignmentList(), nullptr);
  CSingleDialog single(&dlg, dlg.controller().skin(), dlg.controller().language());
  single.show();
  const QImage face = single.grab().toImage().convertToFormat(shot.format());
  const QPoint at((shot.width() - face.width()) / 2, (shot.height() - face.height()) / 2);
  EXPECT_EQ(shot.copy(QRect(at, face.size())), face);
}

TEST_F(MainWindowTest, AFolderWithoutProfilesOrSkinIsRefusedWithoutAWindow) {
  testing::TempFolder runtime;
  testing::TempFolder empty;
  const fs::path shot = runtime.File("shot.png");
  // The later --home wins over the fixture's complete folder.
  EXPECT_EQ(RunProgram({"--home", QString::fromStdString(empty.path().string()), "--screenshot",
                        QString::fromStdString(shot.string())},
                       runtime.path()),
            1);
  EXPECT_FALSE(fs::exists(shot));
  EXPECT_EQ(RunProgram({"--home", QString::fromStdString((empty.path() / "nowhere").string())}, runtime.path()), 1);
}

TEST_F(MainWindowTest, AScreenshotOfAWindowThatReportsAProblemFailsWithoutABox) {
  testing::TempFolder runtime;
  const fs::path shot = runtime.File("shot.png");
  const QStringList arguments = {"--screenshot", QString::fromStdString(shot.string())};
  // A damaged profile, then a skin that is not there: each once asked for a box nobody could close.
  std::ofstream(folder.File("config0.bin"), std::ios::binary | std::ios::trunc) << "damaged";
  EXPECT_EQ(RunProgram(arguments, runtime.path()), 1);
  EXPECT_FALSE(fs::exists(shot));
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), FactoryConfig()));
  ASSERT_TRUE(IniFile(folder.File("str0.ini")).Write("Skins", "Path", "Missing"));
  EXPECT_EQ(RunProgram(arguments, runtime.path()), 1);
  EXPECT_FALSE(fs::exists(shot));
}

TEST_F(MainWindowTest, HelpAndVersionExitZero) {
  testing::TempFolder runtime;
  EXPECT_EQ(RunProgram({"--help"}, runtime.path()), 0);
  EXPECT_EQ(RunProgram({"--version"}, runtime.path()), 0);
}

}  // namespace
}  // namespace korvane
