#!/bin/sh
# Builds the libFuzzer targets (preset "fuzz", clang) and runs each for a bounded time:
# the configuration parser, the application catalogue over hostile registry files, then the
# skin loader and linter over hostile skins (skin.cfg and small images).
# scripts/fuzz.sh [SECONDS], default 60 per target. New inputs found go to build/fuzz/corpus,
# build/fuzz/catalogue-corpus and build/fuzz/skin-corpus; the seeds in tests/fuzz/ stay as they are.
. "$(dirname "$0")/common.sh"

SECONDS_TO_RUN=${1:-60}
case "$SECONDS_TO_RUN" in
    '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac

build_preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/catalogue-corpus build/fuzz/skin-corpus build/fuzz/artifacts
build/fuzz/bin/zconfigfuzz -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1 \
    build/fuzz/corpus tests/fuzz/corpus
build/fuzz/bin/appcataloguefuzz -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/artifacts/catalogue- -print_final_stats=1 \
    build/fuzz/catalogue-corpus tests/fuzz/catalogue-corpus
build/fuzz/bin/skinloaderfuzz -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/artifacts/skin- -print_final_stats=1 \
    build/fuzz/skin-corpus tests/fuzz/skin-corpus
