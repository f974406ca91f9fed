#include "platform/qt/x11_activation.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace velto {

void ActivateOnX11(QWidget& window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  constexpr char kActiveWindow[] = "_NET_ACTIVE_WINDOW";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kActiveWindow)),
                      kActiveWindow),
      nullptr);
  if (screen && atom) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = atom->atom;
    message.data.data32[0] = 2;  // the request comes from the user, as from a pager
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
  }
  std::free(atom);
  // Without a window manager nobody acts on the message. A window not mapped yet cannot take
  // the focus: that error is expected and dropped here rather than reported by Qt.
  std::free(xcb_request_check(
      connection,
      xcb_set_input_focus_checked(connection, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME)));
}

}  // namespace velto
