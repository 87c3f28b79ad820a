#!/usr/bin/env bash
# Installs the build into a DESTDIR stage, moves the stage elsewhere, and
# runs every installed program from there. Each must find the runtime
# through its RUNPATH and the modules beside the runtime, wherever the tree
# lies, and load nothing from the build tree.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "stage_test: $*" >&2; exit 1; }

DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/vellum >/dev/null
mv "$work/stage" "$work/moved"
root="$work/moved/opt/vellum"
unset VELLUM_LIBS DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0

# Every installed program and module names the project's libraries
# relative to itself.
while IFS= read -r -d '' file; do
  head -c 4 "$file" | grep -q ELF || continue
  dynamic=$(readelf -d "$file")
  runpath=$(sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p' <<<"$dynamic")
  grep -q '(RPATH)' <<<"$dynamic" && fail "${file#$root/} has an RPATH"
  case "$runpath" in
    '$ORIGIN'*) ;;
    '') grep -q 'NEEDED.*libvellum_' <<<"$dynamic" && fail "${file#$root/} has no RUNPATH" ;;
    *) fail "${file#$root/} has RUNPATH '$runpath'" ;;
  esac
done < <(find "$root" -type f -print0)
[ -z "$(ls "$root/bin" | grep -v -x -e quiredump -e Quire_Viewer -e vellum-view -e vellum-info -e vellum-render -e quire-export)" ] ||
  fail "bin/ holds more than the commands: $(ls "$root/bin")"

# Runs a program with the loader telling which files it maps; none may
# come from the build tree.
run() {
  local log="$work/loaded.txt"
  LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld" "$@" || return $?
  cat "$work"/ld.* > "$log" && rm -f "$work"/ld.*
  if grep -F "file=$build/" "$log" | head -3 | grep -q .; then
    fail "$1 loaded from the build tree: $(grep -F "file=$build/" "$log" | head -1)"
  fi
}

ram="${XDG_RUNTIME_DIR:+$XDG_RUNTIME_DIR/ram}"
ram="${ram:-/tmp/ram-$(id -u)}"

out=$(run "$root/bin/quiredump" RAM:stage-test-no-such.doc 1) || fail "quiredump exited $?"
grep -q "Quire ready" <<<"$out" || fail "quiredump did not find quire.library: $out"
grep -F "file=$root/lib" "$work/loaded.txt" | grep -q "quire.library" || fail "quire.library not loaded from the stage"

# Every program takes names on a volume alike.
mkdir -p "$ram"
cp "$source/samples/house.wmf" "$ram/stage-test-house.wmf"
trap 'rm -rf "$work" "$ram"/stage-test-house.*' EXIT
run "$root/libexec/vellum/vellum-library-png" RAM:stage-test-house.wmf RAM:stage-test-house.png >/dev/null ||
  fail "vellum-library-png exited $?"
[ -s "$ram/stage-test-house.png" ] || fail "vellum-library-png wrote no RAM:stage-test-house.png"
rm -f "$ram/stage-test-house.png"
run "$root/bin/vellum-render" RAM:stage-test-house.wmf -o ram:stage-test-house.png >/dev/null ||
  fail "vellum-render exited $?"
[ -s "$ram/stage-test-house.png" ] || fail "vellum-render wrote no ram:stage-test-house.png"
run "$root/bin/vellum-info" RAM:stage-test-house.wmf >/dev/null || fail "vellum-info exited $?"
[ -f "$root/share/doc/vellum/examples/vellum_library_png.c" ] || fail "the example's source is not installed"

run "$root/bin/vellum-view" --screenshot "$work/view.png" RAM:stage-test-house.wmf || fail "vellum-view exited $?"
[ -s "$work/view.png" ] || fail "vellum-view wrote no screenshot"

# The viewer waits for its user; Ctrl-C ends it with 0 once it is up.
viewer_out=$(timeout --preserve-status -s INT 8 "$root/bin/Quire_Viewer") || fail "Quire_Viewer exited $?"
grep -q "can't create" <<<"$viewer_out" && fail "Quire_Viewer did not find quire.mcc"

run "$root/bin/quire-export" --help >/dev/null || fail "quire-export exited $?"
echo "stage_test: every installed program ran from the moved stage"
