#pragma once
// The starter settings: engines of today as query templates over https, written by
// WriteStarterSettings for a first start (the Windows zip, a Linux user's first use, make run)
// and by "velto-config starter". The factory defaults (factory_defaults.h) stay as they are.
#include <array>
#include <string_view>

#include "settings/factory_defaults.h"

namespace velto {

// Each engine has a short keyword ("w 東京" searches Wikipedia). Each address is a form its service
// documents or has served unchanged for many years:
inline constexpr std::array<FactoryEngine, 12> kStarterEngines{{
    // Google: the /search?q= form of Google's own search box and its OpenSearch description.
    {"Google", "https://www.google.co.jp/", "https://www.google.com/search?q=%s", "g"},
    // Yahoo! JAPAN: the search?p= form of its search box; ei= names the query's encoding.
    {"Yahoo! JAPAN", "https://www.yahoo.co.jp/", "https://search.yahoo.co.jp/search?p=%s&ei=UTF-8",
     "y"},
    // Wikipedia: MediaWiki's Special:Search through index.php?search= (MediaWiki manual).
    {"Wikipedia", "https://ja.wikipedia.org/", "https://ja.wikipedia.org/w/index.php?search=%s",
     "w"},
    // YouTube: the results?search_query= form of its search box.
    {"YouTube", "https://www.youtube.com/", "https://www.youtube.com/results?search_query=%s",
     "yt"},
    // Bing: the /search?q= form of its search box and its OpenSearch description.
    {"Bing", "https://www.bing.com/", "https://www.bing.com/search?q=%s", "b"},
    // DuckDuckGo: the q= parameter of its help pages on URL parameters.
    {"DuckDuckGo", "https://duckduckgo.com/", "https://duckduckgo.com/?q=%s", "d"},
    // Amazon.co.jp: the /s?k= form of its search box.
    {"Amazon", "https://www.amazon.co.jp/", "https://www.amazon.co.jp/s?k=%s", "a"},
    // Rakuten Ichiba: its search result path, search.rakuten.co.jp/search/mall/QUERY/.
    {"楽天市場", "https://www.rakuten.co.jp/", "https://search.rakuten.co.jp/search/mall/%s/", "r"},
    // Google Maps: the search action of Google's documented Maps URLs
    // (developers.google.com/maps/documentation/urls).
    {"Google マップ", "https://www.google.co.jp/maps/",
     "https://www.google.com/maps/search/?api=1&query=%s", "m"},
    // GitHub: the /search?q= form described in GitHub Docs ("About searching on GitHub").
    {"GitHub", "https://github.com/", "https://github.com/search?q=%s", "gh"},
    // Weblio: the dictionary's entry path, www.weblio.jp/content/WORD.
    {"Weblio辞書", "https://www.weblio.jp/", "https://www.weblio.jp/content/%s", "wb"},
    // Google Images: Google's search with tbm=isch, the image vertical.
    {"Google 画像", "https://www.google.co.jp/imghp", "https://www.google.com/search?q=%s&tbm=isch",
     "i"},
}};

// The suggestion addresses of the starter engines, by slot: answers in the OpenSearch
// suggestions form ([query, [completions...]]) where the service serves one; empty elsewhere.
inline constexpr std::array<std::string_view, kStarterEngines.size()> kStarterSuggestions{{
    // Google: the suggestion address of its OpenSearch description (client=firefox answers
    // in the OpenSearch form); ie/oe ask for UTF-8 both ways.
    "https://www.google.com/complete/search?client=firefox&hl=ja&ie=utf-8&oe=utf-8&q=%s",
    // Yahoo! JAPAN: no suggestions in the OpenSearch form.
    "",
    // Wikipedia: MediaWiki's action=opensearch (MediaWiki API manual, API:Opensearch).
    "https://ja.wikipedia.org/w/api.php?action=opensearch&format=json&search=%s",
    // YouTube: Google's suggestion service with ds=yt, the YouTube data set.
    "https://suggestqueries.google.com/complete/search?client=firefox&ds=yt&hl=ja&q=%s",
    // Bing: osjson.aspx, the suggestion address of its OpenSearch description.
    "https://www.bing.com/osjson.aspx?query=%s",
    // DuckDuckGo: /ac/ with type=list, the suggestion address of its OpenSearch description.
    "https://duckduckgo.com/ac/?q=%s&type=list",
    // Amazon, Rakuten Ichiba, Google Maps, GitHub, Weblio and Google Images document none.
    "",
    "",
    "",
    "",
    "",
    "",
}};

inline constexpr std::string_view kStarterAlwaysTop = "1";
inline constexpr std::string_view kStarterDefaultSearch = "0";
// Google, Yahoo! JAPAN, Wikipedia and YouTube on the buttons; Google in the editor.
inline constexpr std::array<std::string_view, 5> kStarterSearchSelect{"0", "1", "2", "3", "0"};

}  // namespace velto
