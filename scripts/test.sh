#!/bin/sh
# Builds Kestrow from nothing and runs the whole test suite: the debug build,
# the same suite under AddressSanitizer + UndefinedBehaviorSanitizer, and the
# configuration parser's fuzzer for a bounded time. Needs root the first time
# (it installs the Debian packages it uses).
. "$(dirname "$0")/common.sh"

"$SOURCE_DIR/scripts/install-deps.sh"

if git -C "$SOURCE_DIR" rev-parse --git-dir >/dev/null 2>&1; then
    echo "=== format: every source file follows .clang-format"
    git -C "$SOURCE_DIR" ls-files -z '*.cpp' '*.h' \
        | (cd "$SOURCE_DIR" && xargs -0 clang-format --dry-run --Werror)
fi

echo "=== includes: every layer includes only the layers below it (docs/style.md)"
sh "$SOURCE_DIR/scripts/check-includes.sh"

# Cross-process tests need a session bus: fail rather than skip here.
export KESTROW_REQUIRE_BUS=1
export LSAN_OPTIONS="suppressions=$SOURCE_DIR/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# A virtual display for anything that wants a real window system.
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
    Xvfb :97 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    export DISPLAY=:97
fi

for preset in debug asan; do
    echo "=== $preset: build"
    build_preset "$preset"
    echo "=== $preset: tests"
    dbus-run-session -- ctest --preset "$preset" --parallel 2
done

echo "=== lint: every shipped skin is clean"
build/debug/bin/kestrow-skin lint skins/default skins/analog

echo "=== package: the .deb unpacked into a scratch root runs from its own files"
"$SOURCE_DIR/scripts/package-test.sh" build/debug

echo "=== fuzz: configuration parser, application catalogue, skin loader"
"$SOURCE_DIR/scripts/fuzz.sh" "${KESTROW_FUZZ_SECONDS:-60}"
echo "=== all tests passed"
