#pragma once

#include "app/main_view.h"

namespace korvane {

// The surface and dialogs of a controller that runs without a window (korvanectl): it draws nothing, its
// timers never fire, and every dialog and question is cancelled.
class NoWindow : public WindowSurface, public DialogRunner {
 public:
  void HideWindow() override {}
  void ShowWindow() override {}
  void SetUpWindow() override {}
  void RepaintMainWindow() override {}
  void RedrawFooter() override {}
  void AddTrayIcon(std::string_view /*tooltip*/) override {}
  void SetWaitCursor(bool /*wait*/) override {}
  void ShowHelpPanel(bool /*shown*/) override {}
  void ShowAssignmentList(int /*button*/) override {}
  void CloseAssignmentList() override {}
  void RedrawButtonLabel(int /*button*/) override {}
  void RedrawPanels() override {}
  void StartTimer(MainTimer /*timer*/, int /*milliseconds*/) override {}
  void StopTimer(MainTimer /*timer*/) override {}
  void Quit() override {}
  bool OpenWebPage(std::string_view /*address*/) override { return true; }
  Status StartProgram(const std::filesystem::path& /*program*/) override { return Status::Ok(); }

  std::optional<std::string> RunSingleKeyDialog() override { return std::nullopt; }
  std::optional<ComboKeyResult> RunComboKeyDialog() override { return std::nullopt; }
  std::optional<MacroKeyResult> RunMacroKeyDialog(const std::vector<std::string>& /*macroNames*/) override {
    return std::nullopt;
  }
  std::optional<StageColour> ChooseStageColour(int /*stage*/, StageColour /*current*/) override {
    return std::nullopt;
  }
  std::optional<MacroPages> RunMacroManager() override { return std::nullopt; }
  void ShowProfileManager() override {}
  std::optional<std::filesystem::path> ChooseProfileFile(bool /*save*/, std::string_view /*profileName*/) override {
    return std::nullopt;
  }
  bool Confirm(std::string_view /*question*/, std::string_view /*caption*/) override { return false; }
};

}  // namespace korvane
