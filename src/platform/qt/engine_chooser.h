#pragma once
// The window that asks which of the offered engines to import: a list with check boxes.
#include <QWidget>
#include <optional>
#include <vector>

#include "ports/engine_sources.h"

namespace velto {

// Modal to the owner; one flag per row, or nullopt when the user declined.
std::optional<std::vector<bool>> ChooseEnginesInWindow(QWidget* owner, const EngineChoice& choice);

}  // namespace velto
