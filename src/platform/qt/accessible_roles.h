#pragma once
// The roles the bar and the settings window present to screen readers. A plain top-level
// QWidget is presented as a filler; a window named here is presented with the core's role.
#include <QComboBox>
#include <QWidget>

#include "main/accessible_names.h"

namespace velto {

// Makes `window` present itself with `role`; call it before the window is first shown.
void PresentWithRole(QWidget& window, AccessibleWindowRole role);

// Makes a combo box present its accessible name as its name. Qt's own presentation on Linux
// names a combo box by its text: the query box would be read as what was typed, a selector
// by its choice.
void PresentWithOwnName(QComboBox& box);

// Ties a box presented with its own name to a window it controls (its suggestion list), so
// a screen reader can go from the box to the list that stands apart from it.
void PresentAsControllerOf(QComboBox& box, QWidget& controlled);

}  // namespace velto
