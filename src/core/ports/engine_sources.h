#pragma once
// Where the engines an import offers come from. The readers of the browsers' files need SQLite,
// LZ4 and an XML parser, which the bar loads only when the user first imports: each front end
// implements this over its import module.
#include <string>
#include <vector>

#include "settings/file_path.h"
#include "settings/found_engines.h"

namespace velto {

class EngineSources {
 public:
  virtual ~EngineSources() = default;
  // The engines of every profile of every browser kept for the user on this system.
  virtual FoundEngines FindInBrowsers() = 0;
  // The engine an OpenSearch description file describes; an error when the file is none.
  virtual FoundEngines ReadDescription(const FilePath& file) = 0;
};

// What the user is asked when engines are offered: a list of rows with check boxes, each
// checked at first, and a line below it. The front end shows it as a modal window.
struct EngineChoice {
  std::string title;
  std::string prompt;             // above the list
  std::vector<std::string> rows;  // one engine each
  std::string note;               // below the list; may be empty
};

}  // namespace velto
