#include "settings/found_engines.h"

#include <iterator>

namespace velto {

void FoundEngines::Add(FoundEngines&& more) {
  if (more.error && !error) error = std::move(more.error);
  engines.insert(engines.end(), std::make_move_iterator(more.engines.begin()),
                 std::make_move_iterator(more.engines.end()));
  skipped.insert(skipped.end(), std::make_move_iterator(more.skipped.begin()),
                 std::make_move_iterator(more.skipped.end()));
}

}  // namespace velto
