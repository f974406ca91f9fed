// Stands in for xdg-open in the key-latency benchmark: appends the moment it started
// (CLOCK_MONOTONIC, nanoseconds) to the file named by VELTO_STAMP_FILE.
#include <time.h>

#include <cstdio>
#include <cstdlib>

int main() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const char* file = std::getenv("VELTO_STAMP_FILE");
  if (!file) return 1;
  if (FILE* out = std::fopen(file, "a")) {
    std::fprintf(out, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fclose(out);
  }
  return 0;
}
