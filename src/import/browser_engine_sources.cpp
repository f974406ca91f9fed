#include "import/browser_engine_sources.h"

#include <exception>

#include "import/opensearch_file.h"
#include "settings/path_text.h"

namespace velto {
namespace {

// No exception leaves the module: a failure is a finding like any other.
template <typename Read>
FoundEngines Guarded(Read read) {
  try {
    return read();
  } catch (const std::exception& e) {
    return FoundEngines::Failure(e.what());
  } catch (...) {
    return FoundEngines::Failure("the engines could not be read");
  }
}

}  // namespace

FoundEngines ReadOpenSearchPath(FileSystem& files, const FilePath& path) {
  SourceBytes read = ReadSourceFile(files, path);
  const std::string name = Utf8FromFilePath(path);
  if (!read.bytes) return FoundEngines::Failure(name + ": " + read.reason);
  FoundEngines found = ReadOpenSearchFile(*read.bytes, name);
  if (found.error) found.error = name + ": " + *found.error;
  return found;
}

FoundEngines BrowserEngineSources::FindInBrowsers() {
  return Guarded([&] {
    FoundEngines all;
    for (FoundEngines found : {FindFirefoxEngines(files_, folders_.firefox),
                               FindChromiumEngines(files_, folders_.chromium)}) {
      if (found.error) continue;
      all.Add(std::move(found));
    }
    return all;
  });
}

FoundEngines BrowserEngineSources::ReadDescription(const FilePath& file) {
  return Guarded([&] { return ReadOpenSearchPath(files_, file); });
}

}  // namespace velto
