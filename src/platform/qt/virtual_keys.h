#pragma once
// Qt keys as the Windows virtual key codes and shift state the search bar's key handler speaks.
#include <QKeyEvent>

namespace velto {

// The virtual key code of a key; 0 for a key without one.
int VirtualKeyCode(const QKeyEvent& event);
// The shift state bits of key_codes.h (kShiftKey, kCtrlKey, kAltKey).
int ShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace velto
