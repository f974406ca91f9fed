#pragma once
// The fixed search menu "メニュー": every entry with its caption, whether it is a separator,
// whether only the "/D" switch shows it, and the address prefix the query is appended to.
// Front ends build the popup menu from this table in its order; choosing an entry comes back
// as SearchBar::MenuSearch_Click(index). Indices 8, 9 and 15 to 19 do not exist.
#include <array>
#include <optional>
#include <string_view>

namespace velto {

struct FixedSearch {
  int index;
  std::string_view caption;
  bool is_separator;
  bool debug_only;          // shown only with the "/D" switch
  std::string_view prefix;  // empty for "設定" and separators
};

inline constexpr int kSettingsMenuEntry = 0;
inline constexpr int kMenuEntryCount = 24;  // MenuSearch(0) to MenuSearch(23)
inline constexpr int kFirstDebugMenuEntry = 20;
inline constexpr int kLastDebugMenuEntry = 23;
// A fixed search keeps the history list at this many entries.
inline constexpr int kFixedSearchHistoryCap = 30;

inline constexpr std::array<FixedSearch, 17> kFixedSearches{{
    {0, "設定", false, false, ""},
    {1, "-", true, false, ""},
    {2, "Yahoo!", false, false, "http://search.yahoo.co.jp/bin/search?p="},
    {3, "goo", false, false, "http://www.goo.ne.jp/default.asp?WTS=ntt&SM=MC&DE=2&DC=10&_v=2&MT="},
    {4, "Lycos", false, false,
     "http://www.lycos.co.jp/cgi-bin/pursuit?cat=jp&matchmode=and&adv=0&query="},
    {5, "Infoseek", false, false,
     "http://search.infoseek.co.jp/Titles?lk=noframes&svx=10&col=JW&qp=0&nh=10&qt="},
    {6, "Excite", false, false,
     "http://www.excite.co.jp/search.gw?c=web&lk=excite_jp&lang=jp&target=combined&s="},
    {7, "フレッシュアイ", false, false, "http://search.fresheye.com/?term=monthly&kw="},
    {10, "-", true, false, ""},
    {11, "Vector(Yahoo!)", false, false, "http://search.vector.co.jp/bin/v_searchf?y=y&p="},
    {12, "Vector(goo)", false, false,
     "http://download.goo.ne.jp/cgi-bin/tool/download/"
     "search.pl?category=0&count=10&soft=0&os=all&keyword="},
    {13, "Vector(Lycos)", false, false,
     "http://www.lycos.co.jp/cgi-bin/"
     "pursuit?cat=jpsoft&matchmode=and&mtemp=main&maxhits=10&page_no=1&query="},
    {14, "Vector(Infoseek)", false, false,
     "http://www.infoseek.co.jp/Titles?tds=&col=SW&sv=JP&lk=norames&rt=JG&qt="},
    {20, "-", true, true, ""},
    {21, "SP", false, true,
     "http://search.surfersparadise.com/cgi/search.cgi?type=and&gr=on&show=10&search="},
    {22, "TINAMI", false, true, "http://www.tinami.com/cgi-bin/tinami?type=and&word="},
    {23, "週刊ゲーマーズ", false, true,
     "http://search.gamers.co.jp/cgi-game/"
     "search.cgi?condition=or&limit=20&path=home&default=%8C%9F%8D%F5&word="},
}};

// The entry with this menu index; nullopt for an index the menu does not have.
constexpr std::optional<FixedSearch> FindFixedSearch(int index) {
  for (const FixedSearch& entry : kFixedSearches)
    if (entry.index == index) return entry;
  return std::nullopt;
}

}  // namespace velto
