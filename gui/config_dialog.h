#pragma once

#include <functional>
#include <string_view>

#include <QImage>
#include <QWidget>

#include "app/main_controller.h"
#include "app/profile_manager.h"
#include "gui/window_move.h"

class QListWidget;
class QMenu;

namespace korvane {

// The profile manager: a translucent skinned window beside the main one with the list of named
// profiles. What each command does to the list lives in ProfileManagerModel; closing hands the model to
// the controller, which writes the list and loads the chosen profile.
class CConfigDialog : public QWidget {
 public:
  // confirm asks a yes/no question (true for yes).
  CConfigDialog(QWidget* mainWindow, MainController& controller, std::function<bool(std::string_view)> confirm);

  ProfileManagerModel& model() { return model_; }
  QListWidget* list() { return list_; }
  // The close button: writes the list and goes.
  void CloseDialog();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  PendingWindowMove move_;
  void Refill();
  void Refuse(ProfileManagerModel::Outcome outcome);
  // The window's warning box; the one place that shows refusals, the name editor's among them.
  void Warn(std::string_view message);
  // Whose files the selected entry's settings are in (ProfileManagerModel::Entry::pair); with a selection.
  int SelectedPair() const;
  void ShowMenu(const QPoint& at);
  // The selected profile's links: a sub-menu of the applications seen since start and "Other…", which asks
  // for an id, then an item per application linked to it that removes the link.
  void AddLinkItems(QMenu& menu);

  MainController& controller_;
  const ProfileManagerStrings& strings_;
  std::function<bool(std::string_view)> confirm_;
  ProfileManagerModel model_;
  QImage canvas_;
  QListWidget* list_ = nullptr;
  bool closed_ = false;
};

}  // namespace korvane
