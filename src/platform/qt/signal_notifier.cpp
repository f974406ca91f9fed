#include "platform/qt/signal_notifier.h"

namespace velto {

SignalNotifier::SignalNotifier(SignalInbox& inbox, std::function<void(int)> on_signal)
    : inbox_(inbox),
      on_signal_(std::move(on_signal)),
      notifier_(static_cast<qintptr>(inbox.fd()), QSocketNotifier::Read) {
  notifier_.setEnabled(inbox.fd() >= 0);
  QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_, [this] {
    for (int signal : inbox_.Take()) on_signal_(signal);
  });
}

}  // namespace velto
