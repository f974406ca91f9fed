#include "platform/win32/message_loop.h"

#include "platform/win32/notice_window.h"

namespace velto::win32 {

void ProcessMessage(SearchBarWindow& bar, MSG& message, SettingsDialogWindow* dialog) {
  // Every key reaches the core before translation and before the focused control; a key the
  // core acted on goes no further, so no control (or the dialog navigation) acts on it again.
  if (bar.PreviewKey(message)) return;
  if (HandleNoticeNavigation(message)) return;
  if (dialog != nullptr && dialog->HandleDialogNavigation(message)) return;
  if (bar.HandleDialogNavigation(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int RunMessageLoop(SearchBarWindow& bar, SettingsDialogWindow* dialog,
                   const std::function<void()>& when_idle) {
  MSG message{};
  bool idle_done = !when_idle;
  for (;;) {
    if (!idle_done && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      idle_done = true;
      when_idle();
    }
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    ProcessMessage(bar, message, dialog);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace velto::win32
