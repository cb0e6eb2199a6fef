// An X window of a given WM_CLASS and title, for the desktop tests of the focus watcher:
//   korvane_x11_window INSTANCE CLASS TITLE [latin1]
// The title goes to _NET_WM_NAME as UTF-8, or with "latin1" to WM_NAME only, as STRING (Latin-1), as older
// programs set it. The window stays until the program is ended.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// "é" (U+00E9) and the other characters of Latin-1 from UTF-8; the tests use no others.
std::string Latin1(const std::string& utf8) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xe0) == 0xc0 && i + 1 < utf8.size()) {
      latin1 += static_cast<char>(((byte & 0x1f) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3f));
    } else {
      latin1 += static_cast<char>(byte);
    }
  }
  return latin1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "latin1") == 0)) {
    std::fprintf(stderr, "usage: %s INSTANCE CLASS TITLE [latin1]\n", argv[0]);
    return 2;
  }
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    std::fprintf(stderr, "x11_window: no X server\n");
    return 1;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_window_t window = xcb_generate_id(connection);
  const std::uint32_t background = screen->white_pixel;
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 100, 100, 300, 200, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, &background);
  const std::string wmClass = std::string(argv[1]) + '\0' + argv[2] + '\0';
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      wmClass.size(), wmClass.data());
  const std::string title = argv[3];
  if (argc == 5) {
    const std::string latin1 = Latin1(title);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        latin1.size(), latin1.data());
  } else {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, Atom(connection, "_NET_WM_NAME"),
                        Atom(connection, "UTF8_STRING"), 8, title.size(), title.data());
  }
  xcb_map_window(connection, window);
  xcb_flush(connection);
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) std::free(event);
  xcb_disconnect(connection);
  return 0;
}
