#pragma once

#include <string>
#include <vector>

#include "app/key_dialogs.h"
#include "gui/key_dialog_frame.h"
#include "text/strings.h"

class QListWidget;

namespace korvane {

// "Macro Key": one macro of record.ini and how the mouse repeats it.
class CMacroDialog : public CKeyDialogFrame {
 public:
  CMacroDialog(QWidget* owner, const SkinSettings& skin, Language language, std::vector<std::string> macroNames);
  const MacroKeyModel& model() const { return model_; }
  MacroKeyModel& model() { return model_; }
  QListWidget* macroList() { return list_; }

 protected:
  void DrawFace() override;
  void OnKey(const std::string&) override {}
  void mousePressEvent(QMouseEvent* event) override;
  void accept() override;

 private:
  void SyncList();

  const MacroKeyStrings& strings_;
  MacroKeyModel model_;
};

}  // namespace korvane
