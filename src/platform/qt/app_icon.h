#pragma once
// The program's icon in every size the launcher icons come in.
#include <QIcon>
#include <array>

namespace velto {

inline constexpr std::array<int, 6> kAppIconSizes{16, 32, 48, 64, 128, 256};

QIcon AppIcon();

}  // namespace velto
