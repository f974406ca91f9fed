#pragma once
// The running Linux bar's ear for commands from later starts: the command socket watched by
// the Qt event loop, each command handed on as it arrives.
#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "main/bar_command.h"
#include "platform/posix/command_listener.h"

namespace velto {

class CommandReceiver {
 public:
  CommandReceiver(std::filesystem::path socket_path,
                  std::function<void(const BarCommand&)> on_command);

  bool listening() const { return listener_.listening(); }

 private:
  CommandListener listener_;
  std::function<void(const BarCommand&)> on_command_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace velto
