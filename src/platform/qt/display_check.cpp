#include "platform/qt/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/posix/unique_fd.h"

namespace velto {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Qt's platform list: names separated by ";", each with options after ":".
std::vector<std::string> PlatformNames(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const auto end = list.find(';');
    std::string_view entry = list.substr(0, end);
    entry = entry.substr(0, entry.find(':'));
    if (!entry.empty()) names.emplace_back(entry);
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
  }
  return names;
}

std::string WaylandSocket(const DisplayEnvironment& environment) {
  if (environment.wayland_display.starts_with('/')) return environment.wayland_display;
  if (environment.runtime_dir.empty()) return {};
  return environment.runtime_dir + "/" + environment.wayland_display;
}

}  // namespace

std::optional<std::string> MissingDisplay(const DisplayEnvironment& environment,
                                          const DisplayProbes& probes) {
  // Without a choice Qt takes Wayland in a Wayland session and X otherwise; either will do.
  std::vector<std::string> platforms = PlatformNames(environment.qt_platform);
  if (platforms.empty()) platforms = {"wayland", "xcb"};
  bool wants_x = false;
  bool wants_wayland = false;
  for (const auto& name : platforms) {
    if (name == "xcb") {
      wants_x = true;
    } else if (name.starts_with("wayland")) {
      wants_wayland = true;
    } else {
      return std::nullopt;  // offscreen, vnc, eglfs, ...: no display server to reach
    }
  }
  if (wants_x && !environment.x_display.empty() && probes.x_reachable(environment.x_display))
    return std::nullopt;
  if (wants_wayland && !environment.wayland_display.empty()) {
    const std::string socket = WaylandSocket(environment);
    if (!socket.empty() && probes.wayland_reachable(socket)) return std::nullopt;
  }

  const bool x_named = wants_x && !environment.x_display.empty();
  const bool wayland_named = wants_wayland && !environment.wayland_display.empty();
  if (!x_named && !wayland_named) {
    return wants_x && wants_wayland ? "no display: neither DISPLAY nor WAYLAND_DISPLAY is set"
                                    : std::string("no display: ") +
                                          (wants_x ? "DISPLAY" : "WAYLAND_DISPLAY") + " is not set";
  }
  std::string reasons;
  if (x_named) reasons = "X display \"" + environment.x_display + "\"";
  if (wayland_named) {
    if (!reasons.empty()) reasons += " or the ";
    reasons += "Wayland display \"" + environment.wayland_display + "\"";
  }
  return "cannot open the " + reasons;
}

DisplayEnvironment DisplayEnvironmentOfProcess(int argc, const char* const* argv) {
  DisplayEnvironment environment{Environment("QT_QPA_PLATFORM"), Environment("DISPLAY"),
                                 Environment("WAYLAND_DISPLAY"), Environment("XDG_RUNTIME_DIR")};
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) environment.qt_platform = argv[i + 1];
  }
  return environment;
}

DisplayProbes SystemDisplayProbes() {
  return {[](const std::string& display) {
            xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
            const bool reachable = xcb_connection_has_error(connection) == 0;
            xcb_disconnect(connection);  // also frees a failed connection
            return reachable;
          },
          [](const std::string& path) {
            sockaddr_un address{};
            if (path.size() >= sizeof(address.sun_path)) return false;
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path, path.data(), path.size());
            const UniqueFd socket_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
            return socket_fd.get() >= 0 &&
                   ::connect(socket_fd.get(), reinterpret_cast<const sockaddr*>(&address),
                             sizeof(address)) == 0;
          }};
}

}  // namespace velto
