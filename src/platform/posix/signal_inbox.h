#pragma once
// Signals received as data instead of through handlers: the given signals are blocked and
// read from a descriptor (signalfd) that an event loop can watch. Create it before any thread
// starts, so that every thread keeps the signals blocked. Going away restores the old mask.
#include <signal.h>

#include <initializer_list>
#include <vector>

#include "platform/posix/unique_fd.h"

namespace velto {

class SignalInbox {
 public:
  explicit SignalInbox(std::initializer_list<int> signal_numbers);
  ~SignalInbox();
  SignalInbox(const SignalInbox&) = delete;
  SignalInbox& operator=(const SignalInbox&) = delete;

  // Readable when a signal waits; -1 when the descriptor could not be made.
  int fd() const { return fd_.get(); }
  // The signals that arrived since the last call, in order (never blocks).
  std::vector<int> Take();

 private:
  sigset_t old_mask_{};
  UniqueFd fd_;
};

}  // namespace velto
