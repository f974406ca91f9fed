// The engine import over arbitrary bytes: the first byte picks the reader (a search.json.mozlz4,
// a Web Data database, an OpenSearch file), the rest is the file. Whatever a reader finds, the
// engines planned into the table are ones the bar can use, each in its own free slot.
#include <set>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "import/chromium_web_data.h"
#include "import/firefox_search_file.h"
#include "import/opensearch_file.h"
#include "platform/posix/iconv_text_codec.h"
#include "settings/ascii_text.h"
#include "settings/storable_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using velto::fuzz::Check;
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  velto::FoundEngines found;
  switch (data[0] % 3) {
    case 0:
      found = velto::ReadFirefoxSearchFile(bytes, "fuzz");
      break;
    case 1:
      found = velto::ReadChromiumWebData(std::string(bytes), "fuzz");
      break;
    default:
      found = velto::ReadOpenSearchFile(bytes, "fuzz");
      break;
  }
  if (found.error) {
    Check(found.engines.empty() && !found.error->empty(), "a failure finds nothing", *found.error);
    return 0;
  }
  static const velto::IconvTextCodec codec;
  velto::SettingsModel model;
  model.SearchName[3] = "taken";
  model.SearchEngn[3] = "https://taken.example/?q=%s";
  const velto::ImportPlan plan = velto::PlanEngineImport(codec, model, found.engines);
  std::set<int> slots;
  for (const velto::ImportedEngine& engine : plan.added) {
    Check(engine.slot >= 0 && engine.slot < velto::kEditableEngineSlots && engine.slot != 3,
          "a free slot", engine.name);
    Check(slots.insert(engine.slot).second, "one engine a slot", engine.name);
    Check(velto::IsStorableText(codec, engine.name) && !engine.name.empty(), "a storable name",
          engine.name);
    Check(velto::IsStorableText(codec, engine.search), "a storable address", engine.search);
    Check(engine.search.find("%s") != std::string::npos, "a place for the query", engine.search);
    Check(velto::StartsWithIgnoringAsciiCase(engine.search, "http"), "a web address",
          engine.search);
    Check(engine.suggest.empty() || engine.suggest.find("%s") != std::string::npos,
          "suggestions with the query", engine.suggest);
  }
  return 0;
}
