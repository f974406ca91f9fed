#pragma once
// Global keys on an X11 desktop: passive grabs of the keys on the root window, through the
// connection Qt already has, so that a press reaches the bar whichever window has the focus.
// Without X11 (Wayland, the offscreen platform) nothing is grabbed; a desktop shortcut bound
// to "velto --focus" stands in.
#include <QAbstractNativeEventFilter>
#include <functional>
#include <vector>

#include "main/hot_keys.h"

namespace velto {

class GlobalKeys : public QAbstractNativeEventFilter {
 public:
  // Grabs the keys that are set; a key the server refuses (another program holds it) or that
  // this keyboard lacks is skipped. A refused key, and each key the core turned down
  // (HotKeys::skipped), gets a line on stderr. A press becomes a command (the selection key reads
  // the PRIMARY selection), carried out from the event loop.
  GlobalKeys(const HotKeys& keys, std::function<void(const BarCommand&)> on_command);
  ~GlobalKeys() override;
  GlobalKeys(const GlobalKeys&) = delete;
  GlobalKeys& operator=(const GlobalKeys&) = delete;

  // How many of the keys were taken.
  int grabbed() const { return static_cast<int>(grabs_.size()); }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  struct Grab {
    HotKeyRole role;
    unsigned char keycode;
    unsigned short modifiers;  // X11 modifier mask, without NumLock and CapsLock
  };
  void Take(HotKeyRole role, const HotKey& key);
  // False when the server refused the grab.
  bool TryTake(HotKeyRole role, const HotKey& key);

  void Pressed(HotKeyRole role);

  std::function<void(const BarCommand&)> on_command_;
  std::vector<Grab> grabs_;
  void* connection_ = nullptr;  // xcb_connection_t, owned by Qt
  unsigned root_ = 0;
};

}  // namespace velto
