#!/usr/bin/env bash
# Builds the table-reader fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time.
#
# Usage: fuzz/run-fuzzer.sh [SECONDS=60] [WORK_DIR=build-fuzz]
#
# It starts from fuzz/corpus and the broken-file fixtures in tests/data/dbase/bad, and
# keeps what it finds in WORK_DIR/corpus (not committed). A crash, a sanitizer report,
# an escaped exception or a hang stops it with exit status 1 and leaves the input in
# WORK_DIR/artifacts/: make it a fixture under tests/data/dbase/bad with the message the
# table must give (tests/data/dbase/expected-messages.txt) and add it to fuzz/corpus.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
work=${2:-$root/build-fuzz}
cxx=${CXX_FUZZ:-clang++}

mkdir -p "$work/corpus" "$work/artifacts"
sources=("$root"/src/core/*.cpp "$root/fuzz/fuzz_dbf_reader.cpp")
for s in "$root"/src/dbase/*.cpp; do
    [[ $s == */WindowsFileSystem.cpp ]] || sources+=("$s") # the Windows build's disk, not this one's
done
binary="$work/fuzz_dbf_reader"

rebuild=0
[[ -x $binary ]] || rebuild=1
for s in "${sources[@]}" "$root"/src/core/*.h "$root"/src/dbase/*.h "$root"/fuzz/*.h; do
    [[ $s -nt $binary ]] && rebuild=1
done
if ((rebuild)); then
    echo "Building $binary with $cxx..."
    "$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/src" -I"$root/fuzz" "${sources[@]}" -o "$binary"
fi

echo "Fuzzing the table reader for $seconds s..."
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -dict="$root/fuzz/dbf.dict" -artifact_prefix="$work/artifacts/" -print_final_stats=1 \
    "$work/corpus" "$root/fuzz/corpus" "$root/tests/data/dbase/bad"
