#pragma once
// Keeps a top-level window out of the taskbar and the pager on X11 desktops, the way a Windows
// tool window stays out of the taskbar. Other window systems (and the offscreen platform used
// by tests) are left alone.
class QWidget;

namespace velto {

// Call before each show: the window manager forgets the hint when the window is withdrawn.
// Returns false when the window system offers no such hint.
bool KeepOutOfTaskbar(QWidget& window);

}  // namespace velto
