#!/usr/bin/env bash
# Measures the whole programs:
#   - the fixed cost of a run, against the floor (bench/copy_file.c, a plain
#     C program that reads a file with fopen/fread into malloc'ed memory and
#     writes it out): detoken on an image holding an empty program, retoken
#     on a one-line listing, in instructions counted by callgrind;
#   - retoken's instructions per byte of the largest real listing (the
#     largest program of data/corpus listed with -x), above those of the
#     one-line listing;
# then detoken on the generated images:
#   - instructions per input byte, counted by callgrind over the whole run;
#   - peak memory (maximum resident set), against the image's size;
#   - for real-sized programs (a real one from data/corpus, and the
#     generated 40 KB one), the instructions and the time of a whole run
#     against a minimal program that only reads the file and writes it out
#     (bench/copy_file.c), linked as usual, timed side by side in the same
#     rounds.
# Then recordings: the instructions a sample of decoding, beyond listing the
# image. Then the lister alone under Google Benchmark, in bytes per second.
# Needs valgrind and GNU time (Debian: apt-get install valgrind time).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
build=build/bench
images=build/bench-images
"$build/bench/generate_images" "$images" data/corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

dialect_option() { [[ $1 == *hubasic* ]] && echo -h || echo -s; }

# The instructions of a whole run, start-up included, counted by callgrind.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$scratch/callgrind.out" "$@" 2>&1 >/dev/null |
    sed -n 's/.*refs: *\([0-9,]*\).*/\1/p' | tr -d ,
}

floor=$(instructions "$build/bench/copy_file" "$images/empty.mzt" "$scratch/copy.mzt")
empty=$(instructions "$build/detoken" -o "$scratch/empty.txt" "$images/empty.mzt")
printf '10 END\n' >"$scratch/one.txt"
one=$(instructions "$build/retoken" -f -o "$scratch/one.mzt" "$scratch/one.txt")
echo "fixed cost of a run                  instructions  against the floor"
printf '%-36s %12d  %.2f\n' "floor: copy_file.c" "$floor" 1 \
  "detoken, an empty program" "$empty" "$(echo "$empty / $floor" | bc -l)" \
  "retoken, a one-line listing" "$one" "$(echo "$one / $floor" | bc -l)"
largest=$(ls -S data/corpus/*.mzt 2>/dev/null | head -n 1)
if [[ -n $largest ]]; then
  "$build/detoken" -x -o "$scratch/largest.txt" "$largest" >/dev/null
  size=$(stat -c %s "$scratch/largest.txt")
  refs=$(instructions "$build/retoken" -f -o "$scratch/largest.mzt" "$scratch/largest.txt")
  printf 'retoken, %s listed with -x (%d bytes): %.1f instructions per byte above the one-line listing\n' \
    "$(basename "$largest")" "$size" "$(echo "($refs - $one) / $size" | bc -l)"
fi
echo

echo "image                        bytes  instr/byte  peak KiB  (image KiB + 4096)"
for image in realistic_sbasic_16m synthetic_sbasic_16m synthetic_hubasic_16m realistic_sbasic_40k; do
  file="$images/$image.mzt"
  [[ -f $file ]] || continue
  size=$(stat -c %s "$file")
  option=$(dialect_option "$image")
  refs=$(instructions "$build/detoken" "$option" -o "$scratch/out.txt" "$file")
  peak=$(/usr/bin/time -f %M "$build/detoken" "$option" -o "$scratch/out.txt" "$file" 2>&1 >/dev/null | tail -1)
  printf '%-24s %9d  %10.1f  %8d  (%d)\n' "$image" "$size" "$(echo "$refs / $size" | bc -l)" "$peak" \
    $((size / 1024 + 4096))
done

# Real-sized programs: the instructions of a run, then many runs of each
# program, interleaved, so that both see the same machine.
for file in data/corpus/gnu_blat_2000.mzt "$images/realistic_sbasic_40k.mzt"; do
  [[ -f $file ]] || continue
  detoken_refs=$(instructions "$build/detoken" -o "$scratch/out.txt" "$file")
  copy_refs=$(instructions "$build/bench/copy_file" "$file" "$scratch/copy.mzt")
  detoken_total=0
  copy_total=0
  runs=0
  for round in 1 2 3 4 5; do
    start=$EPOCHREALTIME
    for _ in $(seq 100); do "$build/detoken" -o "$scratch/out.txt" "$file" >/dev/null; done
    middle=$EPOCHREALTIME
    for _ in $(seq 100); do "$build/bench/copy_file" "$file" "$scratch/copy.mzt"; done
    end=$EPOCHREALTIME
    detoken_total=$(echo "$detoken_total + $middle - $start" | bc -l)
    copy_total=$(echo "$copy_total + $end - $middle" | bc -l)
    runs=$((runs + 100))
  done
  printf '%s (%d bytes)\n' "$(basename "$file")" "$(stat -c %s "$file")"
  printf '  instructions: detoken %d, copy_file %d, ratio %.2f\n' "$detoken_refs" "$copy_refs" \
    "$(echo "$detoken_refs / $copy_refs" | bc -l)"
  printf '  time, %d runs each: detoken %.3f ms, copy_file %.3f ms, ratio %.2f\n' "$runs" \
    "$(echo "$detoken_total * 1000 / $runs" | bc -l)" "$(echo "$copy_total * 1000 / $runs" | bc -l)" \
    "$(echo "$detoken_total / $copy_total" | bc -l)"
done

# Recordings: the instructions a sample beyond listing the image, for the
# real recording (22050 Hz, 8-bit, mono) and for retoken's recording of the
# same program (44100 Hz, 16-bit, mono); the samples counted from the files'
# sizes less their 44-byte headers.
"$build/detoken" -o "$scratch/written.wav" data/corpus/moonlander_v4.mzt >/dev/null
image_refs=$(instructions "$build/detoken" -o "$scratch/out.txt" data/corpus/moonlander_v4.mzt)
echo "recording                    samples  instr/sample beyond the image"
for file in data/corpus/moonlander_v4.wav "$scratch/written.wav"; do
  bytes_per_sample=$([[ $file == *written* ]] && echo 2 || echo 1)
  samples=$((($(stat -c %s "$file") - 44) / bytes_per_sample))
  refs=$(instructions "$build/detoken" -o "$scratch/out.txt" "$file")
  printf '%-26s %9d  %.1f\n' "$(basename "$file")" "$samples" "$(echo "($refs - $image_refs) / $samples" | bc -l)"
done
echo

DETOKEN_BENCH_IMAGES="$images" "$build/bench/lister_benchmark" --benchmark_min_time=0.2
