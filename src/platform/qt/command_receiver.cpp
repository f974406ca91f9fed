#include "platform/qt/command_receiver.h"

namespace velto {

CommandReceiver::CommandReceiver(std::filesystem::path socket_path,
                                 std::function<void(const BarCommand&)> on_command)
    : listener_(std::move(socket_path)), on_command_(std::move(on_command)) {
  if (!listener_.listening()) return;
  notifier_ = std::make_unique<QSocketNotifier>(listener_.fd(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    // The sender has its answer before the command runs.
    if (auto command = listener_.Receive(); command && on_command_) on_command_(*command);
  });
}

}  // namespace velto
