#include "platform/qt/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace velto {

// fontconfig guards its current configuration, so Qt asking for it meanwhile is safe: at
// worst both read it and one copy is dropped.
FontWarmUp::FontWarmUp() {
  try {
    thread_ = std::jthread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: Qt reads the configuration itself when it first needs it.
  }
}

void FontWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace velto
