#include "rewrite_counter.h"

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>

#endif

namespace velto::test {

#ifdef __linux__

RewriteCounter::RewriteCounter(const std::filesystem::path& file)
    : name_(file.filename().string()), notices_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (notices_ >= 0) watch_ = inotify_add_watch(notices_, file.parent_path().c_str(), IN_MOVED_TO);
}

RewriteCounter::~RewriteCounter() {
  if (notices_ >= 0) close(notices_);
}

int RewriteCounter::Count() {
  if (!available()) return 0;
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t got = read(notices_, buffer, sizeof buffer);
    if (got <= 0) break;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && name_ == event->name) ++count_;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return count_;
}

#else

RewriteCounter::RewriteCounter(const std::filesystem::path& file)
    : name_(file.filename().string()) {}
RewriteCounter::~RewriteCounter() = default;
int RewriteCounter::Count() {
  return 0;
}

#endif

}  // namespace velto::test
