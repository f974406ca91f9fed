#pragma once
// Whether the window system Qt is about to open can be reached. Without one, QApplication
// aborts with a core dump; the program checks first and ends with a clear message instead.
#include <functional>
#include <optional>
#include <string>

namespace velto {

// What decides which display Qt opens.
struct DisplayEnvironment {
  std::string qt_platform;      // QT_QPA_PLATFORM or the -platform argument, "" if not given
  std::string x_display;        // DISPLAY
  std::string wayland_display;  // WAYLAND_DISPLAY
  std::string runtime_dir;      // XDG_RUNTIME_DIR, where a relative Wayland socket lives
};

// Reaches a display server: an X display name, or the path of a Wayland socket.
struct DisplayProbes {
  std::function<bool(const std::string&)> x_reachable;
  std::function<bool(const std::string&)> wayland_reachable;
};

// Why no display can be opened, as one line; nothing when one can (or when Qt's platform needs
// none, such as offscreen).
std::optional<std::string> MissingDisplay(const DisplayEnvironment& environment,
                                          const DisplayProbes& probes);

// The environment of this process; a "-platform NAME" argument wins over QT_QPA_PLATFORM, as
// in Qt.
DisplayEnvironment DisplayEnvironmentOfProcess(int argc, const char* const* argv);

// The real probes: a connection to the X server through xcb, to the Wayland socket.
DisplayProbes SystemDisplayProbes();

}  // namespace velto
