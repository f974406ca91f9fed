#pragma once
// The factory defaults written by WriteDefaults.
#include <array>
#include <string_view>

namespace velto {

struct FactoryEngine {
  std::string_view name;
  std::string_view home;
  std::string_view engine;
  std::string_view keyword = {};  // SearchKey: empty for every factory engine
};

inline constexpr std::array<FactoryEngine, 10> kFactoryEngines{{
    {"Yahoo!", "http://www.yahoo.co.jp/", "http://search.yahoo.co.jp/bin/search?p="},
    {"goo", "http://www.goo.ne.jp/", "http://www.goo.ne.jp/default.asp?MT="},
    {"Lycos", "http://www.lycos.co.jp/", "http://www.lycos.co.jp/cgi-bin/pursuit?cat=jp&query="},
    {"Infoseek", "http://www.infoseek.co.jp/", ""},
    {"Excite", "http://www.excite.co.jp/", ""},
    {"フレッシュアイ", "http://www.fresheye.com/", ""},
    {"まぐまぐ", "http://www.mag2.com/", ""},
    {"TINAMI", "http://www.tinami.com/TINAMI/", ""},
    {"Surfersparadise", "http://www.surfersparadise.com/", ""},
    {"", "", ""},
}};

inline constexpr std::string_view kFactoryAlwaysTop = "1";
inline constexpr std::string_view kFactoryDefaultSearch = "0";
inline constexpr std::array<std::string_view, 5> kFactorySearchSelect{"0", "1", "2", "3", "0"};

}  // namespace velto
