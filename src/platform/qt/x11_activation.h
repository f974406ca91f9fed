#pragma once
// Activation of a window on X11 when the user asked for it from outside (a later start, a
// global key). Qt asks with the time of the last event it saw, which the X server and window
// managers refuse when the focus has moved since; the user's request is the newer one.
class QWidget;

namespace velto {

// Asks the window manager to activate the window as a pager would, and gives it the input focus.
// Does nothing off X11.
void ActivateOnX11(QWidget& window);

}  // namespace velto
