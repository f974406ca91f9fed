#include "platform/posix/signal_inbox.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>

namespace velto {

SignalInbox::SignalInbox(std::initializer_list<int> signal_numbers) {
  sigset_t set;
  sigemptyset(&set);
  for (int s : signal_numbers) sigaddset(&set, s);
  pthread_sigmask(SIG_BLOCK, &set, &old_mask_);
  fd_ = UniqueFd(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
}

SignalInbox::~SignalInbox() {
  fd_.Reset();
  pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
}

std::vector<int> SignalInbox::Take() {
  std::vector<int> arrived;
  if (!fd_.valid()) return arrived;
  signalfd_siginfo info{};
  for (;;) {
    ssize_t n = ::read(fd_.get(), &info, sizeof info);
    if (n == static_cast<ssize_t>(sizeof info)) {
      arrived.push_back(static_cast<int>(info.ssi_signo));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return arrived;
  }
}

}  // namespace velto
