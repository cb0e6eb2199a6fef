#include "app/focus_watch.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(FocusWatchTest, TheWatcherComesFromTheSessionsEnvironment) {
  struct Row {
    SessionEnvironment session;
    FocusWatcherKind kind;
  };
  const Row rows[] = {
      {{.currentDesktop = "KDE", .sessionType = "wayland", .display = ":1", .waylandDisplay = "wayland-0"},
       FocusWatcherKind::kKWin},
      // Started from a console: the Wayland socket tells.
      {{.currentDesktop = "KDE", .sessionType = "tty", .waylandDisplay = "wayland-0"}, FocusWatcherKind::kKWin},
      {{.currentDesktop = "ubuntu:GNOME", .sessionType = "wayland", .display = ":0"}, FocusWatcherKind::kGnomeShell},
      {{.currentDesktop = "GNOME", .waylandDisplay = "wayland-0"}, FocusWatcherKind::kGnomeShell},
      // On X the server itself says which window is active, whatever the desktop.
      {{.currentDesktop = "KDE", .sessionType = "x11", .display = ":0", .waylandDisplay = "wayland-0"},
       FocusWatcherKind::kX11},
      {{.currentDesktop = "GNOME", .sessionType = "x11", .display = ":0"}, FocusWatcherKind::kX11},
      {{.currentDesktop = "XFCE", .display = ":0"}, FocusWatcherKind::kX11},
      // Other compositors: XWayland's programs at least.
      {{.sessionType = "wayland", .display = ":0", .swaySocket = "/run/user/1000/sway-ipc.sock"},
       FocusWatcherKind::kX11},
      {{.currentDesktop = "Hyprland", .sessionType = "wayland", .display = ":0"}, FocusWatcherKind::kX11},
      {{.currentDesktop = "Hyprland", .sessionType = "wayland", .waylandDisplay = "wayland-1"},
       FocusWatcherKind::kNone},
      // GNOME or KDE on Wayland without a compositor socket of their own named still have their shell.
      {{.currentDesktop = "KDE", .sessionType = "wayland"}, FocusWatcherKind::kKWin},
      {{}, FocusWatcherKind::kNone},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FocusWatcherKindFor(row.session), row.kind)
        << row.session.currentDesktop << " / " << row.session.sessionType << " / " << row.session.display << " / "
        << row.session.waylandDisplay << " / " << row.session.swaySocket;
  }
}

TEST(FocusWatchTest, TheAppIdIsTheWmClassesClassElseItsInstance) {
  using namespace std::string_view_literals;
  EXPECT_EQ(AppIdFromWmClass("steam_app_1234\0steam_app_1234\0"sv), "steam_app_1234");
  EXPECT_EQ(AppIdFromWmClass("navigator\0firefox-esr\0"sv), "firefox-esr");
  EXPECT_EQ(AppIdFromWmClass("xterm\0\0"sv), "xterm");
  // Some programs leave out the terminating zeros, or the class altogether.
  EXPECT_EQ(AppIdFromWmClass("game\0Game"sv), "Game");
  EXPECT_EQ(AppIdFromWmClass("game"sv), "game");
  EXPECT_EQ(AppIdFromWmClass(""sv), "");
}

}  // namespace
}  // namespace korvane
