#pragma once
// Loads the font system's configuration and caches on a thread of its own while Qt connects
// to the display: the bar measures its captions before it is shown, so the first font it
// asks for would otherwise wait for that reading. Wait() before the first font is made.
#include <thread>

namespace velto {

class FontWarmUp {
 public:
  FontWarmUp();
  void Wait();

 private:
  std::jthread thread_;
};

}  // namespace velto
