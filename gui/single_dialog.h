#pragma once

#include "app/key_dialogs.h"
#include "gui/key_dialog_frame.h"
#include "gui/window_move.h"
#include "text/strings.h"

namespace korvane {

// "Single Key": the name of the last key touched, shown under the prompt.
class CSingleDialog : public CKeyDialogFrame {
 public:
  CSingleDialog(QWidget* owner, const SkinSettings& skin, Language language);
  const std::string& keyName() const { return model_.keyName; }

 protected:
  void DrawFace() override;
  void OnKey(const std::string& name) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const SingleKeyStrings& strings_;
  SingleKeyModel model_;
  PendingWindowMove move_;
};

}  // namespace korvane
