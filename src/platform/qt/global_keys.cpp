#include "platform/qt/global_keys.h"

#include <xcb/xcb.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace velto {
namespace {

// The usual X11 modifier assignment: Alt on Mod1, NumLock on Mod2, Super on Mod4.
constexpr std::uint16_t kAltMask = XCB_MOD_MASK_1;
constexpr std::uint16_t kNumLockMask = XCB_MOD_MASK_2;
constexpr std::uint16_t kSuperMask = XCB_MOD_MASK_4;
constexpr std::array<std::uint16_t, 4> kLockVariants{0, XCB_MOD_MASK_LOCK, kNumLockMask,
                                                     XCB_MOD_MASK_LOCK | kNumLockMask};

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

std::uint16_t XModifiers(unsigned modifiers) {
  std::uint16_t mask = 0;
  if (modifiers & kHotKeyShift) mask |= XCB_MOD_MASK_SHIFT;
  if (modifiers & kHotKeyCtrl) mask |= XCB_MOD_MASK_CONTROL;
  if (modifiers & kHotKeyAlt) mask |= kAltMask;
  if (modifiers & kHotKeyWin) mask |= kSuperMask;
  return mask;
}

// The X keysym of a virtual-key code of ParseHotKey.
xcb_keysym_t KeysymOf(int key) {
  if (key >= 'A' && key <= 'Z') return static_cast<xcb_keysym_t>(key - 'A' + 'a');
  if ((key >= '0' && key <= '9') || key == 0x20) return static_cast<xcb_keysym_t>(key);
  if (key >= 0x70 && key <= 0x87) return static_cast<xcb_keysym_t>(0xFFBE + key - 0x70);  // F1..
  switch (key) {
    case 0x21:
      return 0xFF55;  // Page_Up
    case 0x22:
      return 0xFF56;  // Page_Down
    case 0x23:
      return 0xFF57;  // End
    case 0x24:
      return 0xFF50;  // Home
    case 0x25:
      return 0xFF51;  // Left
    case 0x26:
      return 0xFF52;  // Up
    case 0x27:
      return 0xFF53;  // Right
    case 0x28:
      return 0xFF54;  // Down
    case 0x2D:
      return 0xFF63;  // Insert
    case 0x2E:
      return 0xFFFF;  // Delete
    case 0x13:
      return 0xFF13;  // Pause
    default:
      return 0;
  }
}

// The first keycode whose mapping holds the keysym; 0 when this keyboard has none.
xcb_keycode_t KeycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const int count = setup->max_keycode - setup->min_keycode + 1;
  XcbReply<xcb_get_keyboard_mapping_reply_t> mapping(
      xcb_get_keyboard_mapping_reply(connection,
                                     xcb_get_keyboard_mapping(connection, setup->min_keycode,
                                                              static_cast<std::uint8_t>(count)),
                                     nullptr),
      &std::free);
  if (!mapping || mapping->keysyms_per_keycode == 0) return 0;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
  const int per = mapping->keysyms_per_keycode;
  for (int code = 0; code < count; ++code)
    for (int i = 0; i < per; ++i)
      if (syms[code * per + i] == keysym)
        return static_cast<xcb_keycode_t>(setup->min_keycode + code);
  return 0;
}

}  // namespace

GlobalKeys::GlobalKeys(const HotKeys& keys, std::function<void(const BarCommand&)> on_command)
    : on_command_(std::move(on_command)) {
  for (const std::string& line : keys.skipped) std::fprintf(stderr, "%s\n", line.c_str());
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  auto* connection = x11->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (!screen) return;
  connection_ = connection;
  root_ = screen->root;
  if (keys.focus) Take(HotKeyRole::Focus, *keys.focus);
  if (keys.selection) Take(HotKeyRole::SearchSelection, *keys.selection);
  if (!grabs_.empty()) QCoreApplication::instance()->installNativeEventFilter(this);
}

GlobalKeys::~GlobalKeys() {
  if (!connection_) return;
  auto* connection = static_cast<xcb_connection_t*>(connection_);
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
  for (const Grab& grab : grabs_)
    for (const std::uint16_t locks : kLockVariants)
      xcb_ungrab_key(connection, grab.keycode, root_, grab.modifiers | locks);
  xcb_flush(connection);
}

void GlobalKeys::Take(HotKeyRole role, const HotKey& key) {
  if (!TryTake(role, key)) std::fprintf(stderr, "%s\n", HeldHotKeyMessage(role).c_str());
}

bool GlobalKeys::TryTake(HotKeyRole role, const HotKey& key) {
  auto* connection = static_cast<xcb_connection_t*>(connection_);
  const xcb_keycode_t keycode = KeycodeOf(connection, KeysymOf(key.key));
  if (keycode == 0) return true;  // this keyboard lacks the key: nothing to take
  const std::uint16_t modifiers = XModifiers(key.modifiers);
  // The same key with NumLock or CapsLock on is another grab; all four must be taken.
  std::array<xcb_void_cookie_t, kLockVariants.size()> cookies{};
  for (std::size_t i = 0; i < kLockVariants.size(); ++i)
    cookies[i] = xcb_grab_key_checked(connection, 1, root_, modifiers | kLockVariants[i], keycode,
                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  bool refused = false;
  for (const xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
      refused = true;
      std::free(error);
    }
  }
  if (refused) {
    for (const std::uint16_t locks : kLockVariants)
      xcb_ungrab_key(connection, keycode, root_, modifiers | locks);
    xcb_flush(connection);
    return false;
  }
  grabs_.push_back({role, keycode, modifiers});
  return true;
}

void GlobalKeys::Pressed(HotKeyRole role) {
  std::string selection;
  if (role == HotKeyRole::SearchSelection)
    selection = QGuiApplication::clipboard()->text(QClipboard::Selection).toStdString();
  if (auto command = CommandForHotKey(role, std::move(selection)); command && on_command_)
    on_command_(*command);
}

bool GlobalKeys::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t" || !message) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
  const auto* press = static_cast<const xcb_key_press_event_t*>(message);
  if (press->event != root_) return false;
  const std::uint16_t state =
      press->state & (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | kAltMask | kSuperMask);
  for (const Grab& grab : grabs_) {
    if (grab.keycode == press->detail && grab.modifiers == state) {
      // Carried out from the event loop, not inside the filter: reading the selection
      // waits for other clients' events.
      const HotKeyRole role = grab.role;
      QTimer::singleShot(0, QCoreApplication::instance(), [this, role] { Pressed(role); });
      return true;
    }
  }
  return false;
}

}  // namespace velto
