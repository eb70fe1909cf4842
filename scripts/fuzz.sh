#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ (or $QUILLARAN_FUZZ_DIR)
# and runs each for SECONDS, one after the other; installs clang and its fuzzer runtime when
# they are missing. Not part of ./test.sh.
#
#   scripts/fuzz.sh 60                      every target for a minute
#   scripts/fuzz.sh 600 fuzz_bmp fuzz_gif   the named targets for ten minutes each
#
# Each target keeps its corpus in build-fuzz/corpus/<target>, first filled from samples/ and
# from small files that quillaran_fuzz_seeds writes. A fault stops that target and leaves
# crash-*, leak-*, oom-* or timeout-* in build-fuzz/findings/<target>; the script then ends
# with status 1. Reproduce one with: build-fuzz/fuzz/<target> build-fuzz/findings/<target>/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(fuzz_jpeg fuzz_png fuzz_gif fuzz_bmp fuzz_heif fuzz_webp fuzz_tiff fuzz_exif fuzz_exif_segment fuzz_record fuzz_icc)
fuzz_dir="${QUILLARAN_FUZZ_DIR:-build-fuzz}"

# clang and the fuzzer runtime: a trivial target must link.
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi
scripts/install-deps.sh

if [ ! -f "$fuzz_dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLARAN_FUZZ=ON -DQUILLARAN_BENCH=OFF
fi
cmake --build "$fuzz_dir" --target quillaran_fuzz -j2

corpus="$fuzz_dir/corpus"
# The seeds are written again when a target has none yet (one added since they were).
seeds_missing=0
for target in "${targets[@]}"; do
  [ -d "$corpus/seeds/${target#fuzz_}" ] || seeds_missing=1
done
if [ "$seeds_missing" = 1 ]; then
  "$fuzz_dir/fuzz/quillaran_fuzz_seeds" "$corpus/seeds"
  for kind in jpeg png gif bmp; do
    find samples -iname "*.${kind/jpeg/jpg}" -exec cp {} "$corpus/seeds/$kind/" \;
  done
  # The segment reader sees whole JPEG files; the photographs carry Exif from their cameras.
  find samples -iname "*.jpg" -exec cp {} "$corpus/seeds/exif_segment/" \;
  # The date reader sees the first kilobyte of the photographs after their first two bytes.
  for photo in samples/*.jpg; do
    head -c 1026 "$photo" | tail -c +3 >"$corpus/seeds/exif/$(basename "$photo").head"
  done
fi

# What the system's libraries leak is theirs (see the file), not a finding of ours.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
for target in "${targets[@]}"; do
  kind="${target#fuzz_}"
  mkdir -p "$corpus/$target" "$fuzz_dir/findings/$target"
  echo "== $target for $seconds s"
  # Pictures up to 64 KB: at 4096 pixels a byte the decoders may still take up to 750 MB.
  if ! "$fuzz_dir/fuzz/$target" "$corpus/$target" "$corpus/seeds/$kind" \
      -max_total_time="$seconds" -max_len=65536 -timeout=30 -rss_limit_mb=3072 \
      -print_final_stats=1 -artifact_prefix="$fuzz_dir/findings/$target/" \
      2>"$fuzz_dir/findings/$target/log.txt"; then
    status=1
    echo "$target found a fault: see $fuzz_dir/findings/$target/"
  fi
  grep -E "^stat::(number_of_executed_units|new_units_added|peak_rss_mb)|^Done " \
    "$fuzz_dir/findings/$target/log.txt" || true
done
exit $status
