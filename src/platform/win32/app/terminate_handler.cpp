// The program's own handler for a program that must end at once (std::terminate). The C++
// library's default one writes the type of the exception to stderr, which a windowed program
// does not have, and brings the whole symbol demangler with it (some 60 KB of velto.exe).
// Defined here, the library's copy is never linked; the program ends as it would after the
// message.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
