// The X11 focus watcher: the window manager names the active window in the root window's
// _NET_ACTIVE_WINDOW; each change of that property is read on a connection of our own, whose socket the
// event loop watches. Under a Wayland compositor this is XWayland, which sees its own windows only.
#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "gui/focus_watch_backends_linux.h"

namespace korvane {

namespace {

// A reply of xcb, freed with free() as xcb wants.
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// Text properties are at most this long; a longer title is cut.
constexpr std::uint32_t kPropertyWords = 1024;

class X11FocusWatcher : public FocusWatcher {
 public:
  X11FocusWatcher(FocusCallback changed, bool xwayland) : changed_(std::move(changed)), xwayland_(xwayland) {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_) != 0) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    activeWindow_ = Atom("_NET_ACTIVE_WINDOW");
    supported_ = Atom("_NET_SUPPORTED");
    netWmName_ = Atom("_NET_WM_NAME");
    utf8String_ = Atom("UTF8_STRING");
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection_);
    notifier_.emplace(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    QObject::connect(&*notifier_, &QSocketNotifier::activated, [this] { OnReadable(); });
    ReadSupported();
    // The first window comes from the event loop, as the changes do, once the caller holds the watcher.
    QTimer::singleShot(0, &*notifier_, [this] { ReportActiveWindow(); });
  }
  ~X11FocusWatcher() override {
    notifier_.reset();
    xcb_disconnect(connection_);
  }

  std::string Describe() const override {
    const std::string name = xwayland_ ? "focus: X11 on XWayland (X programs only; for the others " +
                                             FocusChangedHint() + ")"
                                       : "focus: X11";
    if (xcb_connection_has_error(connection_) != 0) return name + ", not active: no connection to the X server";
    if (!announced_) {
      return name + ", not active: the window manager does not announce _NET_ACTIVE_WINDOW";
    }
    return name + " (_NET_ACTIVE_WINDOW), active";
  }

 private:
  xcb_atom_t Atom(const char* name) const {
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }

  // A property's bytes and type; nothing when the window is gone (it may close between the change and the
  // read) or the property is not set.
  struct Property {
    std::string bytes;
    xcb_atom_t type = XCB_ATOM_NONE;
  };
  std::optional<Property> Read(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    xcb_generic_error_t* error = nullptr;
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection_, xcb_get_property(connection_, 0, window, property, type, 0, kPropertyWords),
                               &error),
        &std::free);
    std::free(error);
    if (!reply || reply->type == XCB_ATOM_NONE) return std::nullopt;
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return Property{std::string(bytes, xcb_get_property_value_length(reply.get())), reply->type};
  }

  std::string Title(xcb_window_t window) const {
    if (const auto name = Read(window, netWmName_, utf8String_)) return name->bytes;
    const auto name = Read(window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
    if (!name) return {};
    // STRING is Latin-1; the other encodings (compound text) pass as they are.
    if (name->type == XCB_ATOM_STRING) return QString::fromLatin1(name->bytes).toStdString();
    return name->bytes;
  }

  // Whether the window manager announces _NET_ACTIVE_WINDOW among the hints it keeps.
  void ReadSupported() {
    const auto supported = Read(root_, supported_, XCB_ATOM_ATOM);
    announced_ = false;
    xcb_atom_t atom = XCB_ATOM_NONE;
    for (std::size_t at = 0; supported && at + sizeof atom <= supported->bytes.size(); at += sizeof atom) {
      std::memcpy(&atom, supported->bytes.data() + at, sizeof atom);
      announced_ = announced_ || atom == activeWindow_;
    }
  }

  void ReportActiveWindow() {
    // Some window managers take the property away when no window has the focus.
    const auto active = Read(root_, activeWindow_, XCB_ATOM_WINDOW);
    xcb_window_t window = XCB_WINDOW_NONE;
    if (active && active->bytes.size() >= sizeof window) std::memcpy(&window, active->bytes.data(), sizeof window);
    std::string appId, title;
    if (window != XCB_WINDOW_NONE) {
      // The property may name a window that is gone: one that closed before we read it (the next one
      // follows), or the last one, which some window managers leave named after it closed.
      const auto wmClass = Read(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
      if (wmClass || WindowExists(window)) {
        appId = wmClass ? AppIdFromWmClass(wmClass->bytes) : std::string();
        title = Title(window);
      } else {
        window = XCB_WINDOW_NONE;
      }
    }
    if (reported_ && window == lastWindow_) return;
    // The active window's end is a change too: the window manager may say nothing of it.
    const std::uint32_t noEvents = XCB_EVENT_MASK_NO_EVENT;
    const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (lastWindow_ != XCB_WINDOW_NONE) {
      xcb_change_window_attributes(connection_, lastWindow_, XCB_CW_EVENT_MASK, &noEvents);
    }
    if (window != XCB_WINDOW_NONE) xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &structure);
    xcb_flush(connection_);
    reported_ = true;
    lastWindow_ = window;
    changed_(appId, title);
  }

  bool WindowExists(xcb_window_t window) const {
    xcb_generic_error_t* error = nullptr;
    const XcbReply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), &error),
        &std::free);
    std::free(error);
    return reply != nullptr;
  }

  // Whether the event changed the active window; a window manager that starts later announces itself.
  // Errors (of windows gone before a request reached them) come as events too, and change nothing.
  bool IsActiveWindowChange(const xcb_generic_event_t* event) {
    switch (event->response_type & 0x7f) {
      case XCB_DESTROY_NOTIFY:
        return reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == lastWindow_;
      case XCB_PROPERTY_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window != root_) return false;
        if (notify->atom == supported_) ReadSupported();
        return notify->atom == activeWindow_;
      }
      default: return false;
    }
  }

  // Events that came while we waited for a reply wait in xcb's queue, where the socket does not tell of
  // them: they are taken after each read.
  void OnReadable() {
    bool changed = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
      changed = IsActiveWindowChange(event) || changed;
      std::free(event);
    }
    while (changed) {
      ReportActiveWindow();
      changed = false;
      while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_)) {
        changed = IsActiveWindowChange(event) || changed;
        std::free(event);
      }
    }
    if (xcb_connection_has_error(connection_) != 0) notifier_->setEnabled(false);
  }

  FocusCallback changed_;
  bool xwayland_;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  xcb_atom_t activeWindow_ = XCB_ATOM_NONE;
  xcb_atom_t supported_ = XCB_ATOM_NONE;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE;
  xcb_atom_t utf8String_ = XCB_ATOM_NONE;
  bool announced_ = false;  // _NET_SUPPORTED names _NET_ACTIVE_WINDOW
  bool reported_ = false;
  xcb_window_t lastWindow_ = XCB_WINDOW_NONE;
  std::optional<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<FocusWatcher> MakeX11FocusWatcher(FocusCallback changed, bool xwayland) {
  return std::make_unique<X11FocusWatcher>(std::move(changed), xwayland);
}

}  // namespace korvane
