#pragma once
// The form in which a typed text and a past search are compared: one spelling for what a user
// means as the same text, whichever way the keyboard or the input method wrote it.
#include <string>
#include <string_view>

namespace velto {

// The text folded for matching, as UTF-8:
// - Latin letters in lower case (ASCII, Latin-1 and Latin Extended-A);
// - full-width ASCII forms and the ideographic space as their ASCII characters, the full-width
//   currency and other signs as their narrow ones;
// - half-width katakana as full-width katakana, a following half-width or combining voiced
//   (semi-voiced) mark joined to its kana as the precomposed character: ｶﾞ, and カ with the
//   combining mark U+3099, fold as ガ;
// - CR and LF as blanks, so a folded text is always one line; ill-formed bytes as U+FFFD.
// Everything else stays as it is.
std::string FoldForMatch(std::string_view utf8);

}  // namespace velto
