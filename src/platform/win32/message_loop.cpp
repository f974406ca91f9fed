#include "platform/win32/message_loop.h"

namespace velto::win32 {

int RunMessageLoop(SearchBarWindow& bar, SettingsDialogWindow* dialog) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Every key reaches the core before translation and before the focused control; the key
    // then goes on to the control as usual.
    bar.PreviewKey(message);
    if (dialog != nullptr && dialog->HandleDialogNavigation(message)) continue;
    if (bar.HandleDialogNavigation(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace velto::win32
