#!/usr/bin/env bash
# debian_package.sh CPACK CPACK_CONFIG WORK: makes the package, unpacks it and checks it.
set -uo pipefail
cpack=$1 config=$2 work=$3
passed=0 failed=0
ok() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failed=$((failed + 1)); }
check() { local name=$1; shift; if "$@"; then ok "$name"; else fail "$name"; fi; }
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; exit $?; }

rm -rf "$work" && mkdir -p "$work"
if ! "$cpack" --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; fail "cpack makes the package"; finish
fi
debs=("$work"/out/velto_*.deb)
check "one package, named velto_VERSION_ARCH.deb" test ${#debs[@]} -eq 1 -a -f "${debs[0]}"
deb=${debs[0]}

# Dependencies found by dpkg-shlibdeps (the Qt libraries, the C++ runtime, the import module's
# SQLite, LZ4 and expat), and xdg-utils.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libsqlite3-0 \
  liblz4-1 libexpat1 xdg-utils; do
  check "depends on $package" grep -qxF "$package" <<<"$names"
done
check "architecture is the machine's" test "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)"

# The files and their places, and nothing else (no test programs; the one library is the
# network module, loaded on first use).
root="$work/root"
dpkg -x "$deb" "$root"
expected=(
  ./usr/bin/velto ./usr/bin/velto-config ./usr/share/applications/velto.desktop
  ./usr/share/doc/velto/README.md ./usr/share/velto/Help.html
  ./usr/share/doc/velto/copyright ./usr/share/doc/velto/changelog.Debian.gz
  ./usr/share/lintian/overrides/velto ./usr/share/metainfo/org.velto.velto.metainfo.xml
  ./usr/lib/velto/modules/velto-network.so ./usr/lib/velto/modules/velto-import.so
)
for page in man1/velto.1.gz man1/velto-config.1.gz ja/man1/velto.1.gz ja/man1/velto-config.1.gz; do
  expected+=("./usr/share/man/$page")
done
for size in 16 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/velto.png")
done
actual=$(cd "$root" && find . -type f | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" = "$wanted" ]; then ok "files in their places"; else
  fail "files in their places"; diff <(echo "$wanted") <(echo "$actual"); fi
check "programs are executable" test -x "$root/usr/bin/velto" -a -x "$root/usr/bin/velto-config"
check "programs are stripped" bash -c "! file '$root/usr/bin/velto' | grep -q 'not stripped'"
for size in 16 32 48 64 128 256; do
  check "icon ${size}x${size} is a ${size}px PNG" grep -q "PNG image data, $size x $size" \
    <(file "$root/usr/share/icons/hicolor/${size}x${size}/apps/velto.png")
done
desktop="$root/usr/share/applications/velto.desktop"
check "menu entry starts velto" grep -qx 'Exec=velto' "$desktop"
check "menu entry shows the velto icon" grep -qx 'Icon=velto' "$desktop"
if command -v desktop-file-validate >/dev/null; then
  check "menu entry is valid" desktop-file-validate "$desktop"
fi

# The unpacked programs keep their settings in the user's folder, never beside themselves.
export XDG_CONFIG_HOME="$work/config"
if out=$("$root/usr/bin/velto-config" get SearchData 'SearchName(0)'); then
  check "velto-config: starter settings made in the user's folder" test "$out" = "Google" \
    -a -f "$XDG_CONFIG_HOME/velto/velto.ini"
else
  fail "velto-config runs"
fi
"$root/usr/bin/velto-config" set Velto AlwaysTop 0
"$root/usr/bin/velto" &
pid=$!
sleep 2
if kill -0 "$pid" 2>/dev/null; then
  ok "velto starts"
  kill -TERM "$pid"
  wait "$pid"
  check "velto ends on SIGTERM with status 0" test $? -eq 0
  check "velto stored its position in the user's folder" \
    grep -aq '^Top=' "$XDG_CONFIG_HOME/velto/velto.ini"
else
  wait "$pid"; fail "velto starts (ended with $?)"
fi
check "nothing written beside the programs" test "$(ls "$root/usr/bin" | tr '\n' ' ')" = "velto velto-config "

# Debian's own judgement of the package: lintian, the validators, the manual pages.
check "package passes Debian's checks" \
  "$(dirname "$0")/../packaging/check_debian_package.sh" "$deb" "$root" "$(dirname "$0")/../../LICENSE"
finish
