#pragma once
// Counts how often a real file is replaced while the counter lives: each file renamed over it,
// as the system reports it for the file's folder. Only Linux reports them to the counter;
// elsewhere available() is false.
#include <filesystem>
#include <string>

namespace velto::test {

class RewriteCounter {
 public:
  explicit RewriteCounter(const std::filesystem::path& file);
  ~RewriteCounter();
  RewriteCounter(const RewriteCounter&) = delete;
  RewriteCounter& operator=(const RewriteCounter&) = delete;

  bool available() const { return watch_ >= 0; }
  // The replacements since the counter was made.
  int Count();

 private:
  std::string name_;
  int notices_ = -1;
  int watch_ = -1;
  int count_ = 0;
};

}  // namespace velto::test
