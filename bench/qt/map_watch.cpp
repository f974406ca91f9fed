// Starts a program and reports, from its exec to its first top-level window being mapped on
// the X display, the time taken; then ends it with SIGTERM and reports its peak memory.
// usage: map_watch SETTLE_MS PROGRAM [ARGS...]
// prints: map_us=N maxrss_kb=N status=N
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

struct XcbDisconnect {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
struct FreeEvent {
  void operator()(xcb_generic_event_t* e) const { std::free(e); }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: map_watch SETTLE_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int settle_ms = std::atoi(argv[1]);
  // The server may still be busy with the last program's goodbye; try a few times.
  std::unique_ptr<xcb_connection_t, XcbDisconnect> x(xcb_connect(nullptr, nullptr));
  for (int i = 0; i < 50 && xcb_connection_has_error(x.get()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    x.reset(xcb_connect(nullptr, nullptr));
  }
  if (xcb_connection_has_error(x.get())) {
    std::fprintf(stderr, "map_watch: no X display\n");
    return 2;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x.get(), screen->root, XCB_CW_EVENT_MASK, &mask);
  free(xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr));

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  long map_us = -1;
  while (auto* raw = xcb_wait_for_event(x.get())) {
    std::unique_ptr<xcb_generic_event_t, FreeEvent> event(raw);
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
    const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
    if (map->override_redirect) continue;  // menus and tooltips are not the window
    map_us = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
    break;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  std::printf("map_us=%ld maxrss_kb=%ld status=%d\n", map_us, usage.ru_maxrss,
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return 0;
}
