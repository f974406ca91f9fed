#include "main/instance_name.h"

#include <cstdint>

namespace velto {

std::string InstanceName(std::string_view folder_key) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : folder_key) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  std::string name;
  for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(hash >> shift) & 0xF];
  return name;
}

}  // namespace velto
