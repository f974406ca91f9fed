// The settings store on a real file: arbitrary bytes as velto.ini, then WriteSetting and
// ReadSetting of arbitrary text. Every written text reads back exactly (line breaks as blanks,
// characters the code page lacks as "?"), and the other settings keep their values.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

#include "fuzz_check.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "settings/settings_store.h"

namespace {

namespace fs = std::filesystem;
using velto::fuzz::Check;

// The program's own sections and a few of its keys, plus odd spellings of them.
constexpr std::array<std::string_view, 4> kSections{"Velto", "SearchData", "History", " velto "};
constexpr std::array<std::string_view, 6> kKeys{
    "Top", "SearchName(0)", "SEARCHNAME(0)", "SearchHome(19)", "SearchHistory(9)", "新しい鍵"};

// One folder for the whole run; each input starts from its own file content.
const fs::path& Folder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / ("velto-fuzz-store-" + std::to_string(::getpid()));
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

std::string Expected(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return velto::IconvTextCodec().Utf8FromAnsi(velto::IconvTextCodec().AnsiFromUtf8(text));
}

// Names match ignoring case and the blanks around them.
std::string NameForm(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c != ' ') out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

bool SameSetting(std::string_view section, std::string_view key, std::string_view other_section,
                 std::string_view other_key) {
  return NameForm(section) == NameForm(other_section) && NameForm(key) == NameForm(other_key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  velto::PosixFileSystem files;
  const velto::IconvTextCodec codec;
  const velto::SettingsStore store(Folder(), velto::Disk(files, codec));
  {
    const std::string content = in.ConsumeRandomLengthString(2048);
    std::ofstream(store.SettingsPath(), std::ios::binary | std::ios::trunc) << content;
  }
  for (int step = 0; step < 4 && in.remaining_bytes() > 0; ++step) {
    const auto section = in.PickValueInArray(kSections);
    const auto key = in.PickValueInArray(kKeys);
    const auto other_section = in.PickValueInArray(kSections);
    const auto other_key = in.PickValueInArray(kKeys);
    const std::string text = in.ConsumeRandomLengthString(300);

    const std::string other_before = store.ReadSetting(other_section, other_key);
    Check(store.WriteSetting(section, key, text), "WriteSetting succeeds");
    const std::string back = store.ReadSetting(section, key);
    Check(back == Expected(text), "written text reads back", back, Expected(text));

    if (!SameSetting(section, key, other_section, other_key)) {
      const std::string other_after = store.ReadSetting(other_section, other_key);
      Check(other_after == other_before, "other settings keep their values", other_after,
            other_before);
    }
  }
  return 0;
}
