#pragma once
// Delivers the signals of a SignalInbox inside the Qt event loop: termination signals close
// the search bar as the user would, SIGCHLD reaps the started shell commands.
#include <QSocketNotifier>
#include <functional>

#include "platform/posix/signal_inbox.h"

namespace velto {

class SignalNotifier {
 public:
  SignalNotifier(SignalInbox& inbox, std::function<void(int signal)> on_signal);

 private:
  SignalInbox& inbox_;
  std::function<void(int)> on_signal_;
  QSocketNotifier notifier_;
};

}  // namespace velto
