#!/usr/bin/env bash
# check_debian_package.sh DEB ROOT LICENSE: the package as Debian's tools judge it: lintian
# without errors or warnings beyond the package's own overrides, valid software-centre data and
# menu entry, manual pages that man renders cleanly, the licence as a machine-readable
# copyright file, and one version everywhere. ROOT is the package unpacked with dpkg -x.
set -uo pipefail
deb=$1 root=$2 licence=$3
passed=0 failed=0
ok() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failed=$((failed + 1)); }
check() { local name=$1; shift; if "$@"; then ok "$name"; else fail "$name"; fi; }

# lintian applies the overrides the package installs; each needs a reason in the file.
lint=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1)
status=$?
echo "$lint" | grep -v '^running with root privileges' | sed 's/^/  lintian: /'
check "lintian: no errors or warnings" test "$status" -eq 0
overrides="$root/usr/share/lintian/overrides/velto"
check "every lintian override has a reason above it" \
  awk '/^#/ {reason = 1; next} /^[^#]/ && !reason {bad = 1} {reason = 0} END {exit bad}' "$overrides"

metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
check "one metainfo file" test ${#metainfo[@]} -eq 1 -a -f "${metainfo[0]}"
check "metainfo is valid (appstreamcli --no-net)" appstreamcli validate --no-net --pedantic "${metainfo[0]}"
check "metainfo in English and Japanese" grep -q '<summary xml:lang="ja">' "${metainfo[0]}"
check "menu entry is valid" desktop-file-validate "$root/usr/share/applications/velto.desktop"

# Each page through man as a user reads it: no complaint from groff, the page's own sections.
for page in man1/velto.1.gz man1/velto-config.1.gz ja/man1/velto.1.gz ja/man1/velto-config.1.gz; do
  file="$root/usr/share/man/$page"
  case $page in ja/*) lang=ja_JP.UTF-8 heading="名前" ;; *) lang=C.UTF-8 heading="NAME" ;; esac
  text=$(LANG=$lang MANWIDTH=80 man -l "$file" 2>"$root.man-err")
  check "$page renders without warnings" test ! -s "$root.man-err"
  check "$page has its name and options" \
    test -n "$(grep -x "$heading" <<<"$text")" -a -n "$(grep -F -- '--version' <<<"$text")"
  check "$page is compressed as Debian does (gzip -9n)" \
    test "$(gzip -cd "$file" | gzip -9n | cmp - "$file" && echo same)" = same
done
rm -f "$root.man-err"

copyright="$root/usr/share/doc/velto/copyright"
check "copyright is machine-readable (DEP-5)" \
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright"
# The licence text itself, unfolded from the copyright file, is the repository's LICENSE.
unfolded=$(sed -n '/^License: Expat/,$p' "$copyright" | tail -n +2 | sed 's/^ //; s/^\.$//')
check "copyright carries the MIT (Expat) licence word for word" \
  test "$unfolded" = "$(sed -n '/^Permission is hereby granted/,$p' "$licence")"

version=$(dpkg-deb -f "$deb" Version)
check "changelog's newest entry is the package version" \
  test "$(gzip -cd "$root/usr/share/doc/velto/changelog.Debian.gz" | head -n 1 | sed 's/.*(\(.*\)).*/\1/')" = "$version"
check "velto --version is the package's upstream version" \
  test "$("$root/usr/bin/velto" --version)" = "velto ${version%-*}"
check "velto-config --version is the same" \
  test "$("$root/usr/bin/velto-config" --version)" = "velto-config ${version%-*}"
check "metainfo names the same release" grep -q "<release version=\"${version%-*}\"" "${metainfo[0]}"
echo "packaging: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
