// Real pointer and key events for the Wayland desktop tests, made by the compositor itself: KWin's fake
// input protocol, or the wlroots virtual pointer and keyboard (sway). One device for the whole run, as a
// hand has one mouse and one keyboard: the program's seat has them from the start.
// Reads one command a line from standard input and answers each with "ok" once the compositor has taken
// it, or "error: …":
//   move X Y            the pointer to screen coordinates
//   press B / release B a button: 1 left, 2 middle, 3 right
//   key CODE[+CODE…]    a chord of Linux key codes, pressed in order and released in reverse
//   korvane_wayland_input WIDTH HEIGHT   (the screen's size, for absolute motion)
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "fake-input-client-protocol.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
  org_kde_kwin_fake_input* fakeInput = nullptr;
  zwlr_virtual_pointer_manager_v1* virtualPointers = nullptr;
  zwp_virtual_keyboard_manager_v1* virtualKeyboards = nullptr;
  wl_seat* seat = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
  auto* globals = static_cast<Globals*>(data);
  if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4) {
    globals->fakeInput =
        static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    globals->virtualPointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    globals->virtualKeyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
    globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

std::uint32_t LinuxButton(int button) {
  switch (button) {
    case 2: return BTN_MIDDLE;
    case 3: return BTN_RIGHT;
    default: return BTN_LEFT;
  }
}

// A keyboard of the wlroots protocol: its keymap (US, as the tests type) and the modifiers that follow
// from its keys, which the compositor takes from the client.
class VirtualKeyboard {
 public:
  VirtualKeyboard(zwp_virtual_keyboard_manager_v1* manager, wl_seat* seat) {
    context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
    keymap_ = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    state_ = xkb_state_new(keymap_);
    keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
    char* text = xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1);
    const std::size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("korvane-keymap", MFD_CLOEXEC);
    if (fd >= 0 && ::write(fd, text, size) == static_cast<ssize_t>(size)) {
      zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, static_cast<std::uint32_t>(size));
    }
    if (fd >= 0) ::close(fd);
    std::free(text);
  }
  ~VirtualKeyboard() {
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
  }
  VirtualKeyboard(const VirtualKeyboard&) = delete;
  VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

  void Key(std::uint32_t time, std::uint32_t code, bool down) {
    zwp_virtual_keyboard_v1_key(keyboard_, time, code,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    // xkb numbers keys 8 above the kernel's codes.
    xkb_state_update_key(state_, code + 8, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(keyboard_, xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
                                      xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
                                      xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
                                      xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE));
  }

 private:
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
};

// The compositor's devices; the time stamps of the wlroots ones only need to grow.
class Device {
 public:
  Device(const Globals& globals, std::uint32_t width, std::uint32_t height)
      : globals_(globals), width_(width), height_(height) {
    if (globals_.fakeInput != nullptr) {
      org_kde_kwin_fake_input_authenticate(globals_.fakeInput, "Korvane desktop tests", "pressing the program under test");
      return;
    }
    pointer_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals_.virtualPointers, globals_.seat);
    if (globals_.virtualKeyboards != nullptr && globals_.seat != nullptr) {
      keyboard_ = std::make_unique<VirtualKeyboard>(globals_.virtualKeyboards, globals_.seat);
    }
  }

  void Move(int x, int y) {
    if (pointer_ == nullptr) {
      org_kde_kwin_fake_input_pointer_motion_absolute(globals_.fakeInput, wl_fixed_from_int(x), wl_fixed_from_int(y));
      return;
    }
    zwlr_virtual_pointer_v1_motion_absolute(pointer_, ++time_, static_cast<std::uint32_t>(x),
                                            static_cast<std::uint32_t>(y), width_, height_);
    zwlr_virtual_pointer_v1_frame(pointer_);
  }

  void Button(int button, bool down) {
    const std::uint32_t state = down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED;
    if (pointer_ == nullptr) {
      org_kde_kwin_fake_input_button(globals_.fakeInput, LinuxButton(button), state);
      return;
    }
    zwlr_virtual_pointer_v1_button(pointer_, ++time_, LinuxButton(button), state);
    zwlr_virtual_pointer_v1_frame(pointer_);
  }

  bool Key(std::uint32_t code, bool down) {
    if (globals_.fakeInput != nullptr) {
      org_kde_kwin_fake_input_keyboard_key(globals_.fakeInput, code, down ? 1 : 0);
    } else if (keyboard_ != nullptr) {
      keyboard_->Key(++time_, code, down);
    } else {
      return false;
    }
    return true;
  }

 private:
  const Globals& globals_;
  std::uint32_t width_;
  std::uint32_t height_;
  zwlr_virtual_pointer_v1* pointer_ = nullptr;
  std::unique_ptr<VirtualKeyboard> keyboard_;
  std::uint32_t time_ = 0;
};

// Runs one command line; an empty result is success.
std::string Run(Device& device, const std::string& line) {
  std::istringstream words(line);
  std::string verb;
  words >> verb;
  if (verb == "move") {
    int x = 0, y = 0;
    if (!(words >> x >> y)) return "move takes X Y";
    device.Move(x, y);
  } else if (verb == "press" || verb == "release") {
    int button = 0;
    if (!(words >> button)) return verb + " takes a button";
    device.Button(button, verb == "press");
  } else if (verb == "key") {
    std::string chord;
    words >> chord;
    std::vector<std::uint32_t> codes;
    std::istringstream parts(chord);
    for (std::string part; std::getline(parts, part, '+');) codes.push_back(static_cast<std::uint32_t>(std::stoul(part)));
    if (codes.empty()) return "key takes CODE[+CODE…]";
    for (const std::uint32_t code : codes) {
      if (!device.Key(code, true)) return "the compositor offers no keyboard to type with";
    }
    for (auto code = codes.rbegin(); code != codes.rend(); ++code) device.Key(*code, false);
  } else {
    return "unknown command: " + verb;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT < commands\n", argv[0]);
    return 2;
  }
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot connect to the Wayland display\n");
    return 1;
  }
  Globals globals;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &globals);
  wl_display_roundtrip(display);
  if (globals.fakeInput == nullptr && globals.virtualPointers == nullptr) {
    std::fprintf(stderr, "the compositor offers neither fake input nor virtual pointers\n");
    return 1;
  }
  Device device(globals, static_cast<std::uint32_t>(std::stoul(argv[1])), static_cast<std::uint32_t>(std::stoul(argv[2])));
  wl_display_roundtrip(display);

  for (std::string line; std::getline(std::cin, line);) {
    const std::string error = line.empty() ? std::string() : Run(device, line);
    if (wl_display_roundtrip(display) < 0) {
      std::cout << "error: the compositor closed the connection" << std::endl;
      return 1;
    }
    std::cout << (error.empty() ? "ok" : "error: " + error) << std::endl;
  }
  wl_display_disconnect(display);
  return 0;
}
