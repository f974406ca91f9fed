#include "platform/win32/message_loop.h"

namespace velto::win32 {

void ProcessMessage(SearchBarWindow& bar, MSG& message, SettingsDialogWindow* dialog) {
  // Every key reaches the core before translation and before the focused control; the key
  // then goes on to the control as usual.
  bar.PreviewKey(message);
  if (dialog != nullptr && dialog->HandleDialogNavigation(message)) return;
  if (bar.HandleDialogNavigation(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int RunMessageLoop(SearchBarWindow& bar, SettingsDialogWindow* dialog) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) ProcessMessage(bar, message, dialog);
  return static_cast<int>(message.wParam);
}

}  // namespace velto::win32
