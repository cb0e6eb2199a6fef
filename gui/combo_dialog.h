#pragma once

#include "app/key_dialogs.h"
#include "gui/key_dialog_frame.h"
#include "text/strings.h"

class QLineEdit;
class QListWidget;

namespace korvane {

// "Combo Key": a modifier from a drop-down list and two keys, each captured into the box the user
// clicked into.
class CComboDialog : public CKeyDialogFrame {
 public:
  CComboDialog(QWidget* owner, const SkinSettings& skin, Language language);
  const ComboKeyModel& model() const { return model_; }
  QLineEdit* firstKeyBox() { return first_; }
  QLineEdit* secondKeyBox() { return second_; }
  QListWidget* modifierList() { return list_; }

 protected:
  void DrawFace() override;
  void OnKey(const std::string& name) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SyncList();

  const ComboKeyStrings& strings_;
  ComboKeyModel model_;
  QLineEdit* first_ = nullptr;
  QLineEdit* second_ = nullptr;
};

}  // namespace korvane
