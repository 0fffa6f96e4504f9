#!/usr/bin/env bash
# Measures every figure README shows, side by side in one run on this machine, and prints them as
# a Markdown table. Starts its own private PulseAudio server with a null sink and its own Xvfb
# display, the way the test suite does (scripts/test-env.sh): nothing is heard, the user's sound
# server and desktop are not touched, and both are stopped by process id at the end.
#
#   bench/figures.sh                          builds into build/ (RelWithDebInfo) and measures
#   ZP_BUILD_DIR=build-other bench/figures.sh  another build directory
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZP_BUILD_DIR:-build}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tones_bench play_cpu_tool latency_tool app_tool >/dev/null

source scripts/test-env.sh
trap zp_env_stop EXIT
zp_env_start
if [[ -z "${PULSE_SERVER:-}" || -z "${ZP_XVFB_DISPLAY:-}" ]]; then
  echo "figures: pulseaudio and Xvfb are needed" >&2
  exit 1
fi
export JACK_NO_START_SERVER=1 XDG_RUNTIME_DIR="$ZP_ENV_DIR"
work="$ZP_ENV_DIR/figures"
mkdir -p "$work"

now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
minimum() { sort -n | head -n 1; }
maximum() { sort -n | tail -n 1; }
field() { awk -v key="$1" '$1 == key { print $2 }'; }
megabytes() { awk -v key="$1" '$1 == key { printf "%.1f MB", $2 / 1024 }'; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.0f", ns / 1e6 }'; }
app() { QT_QPA_PLATFORM=xcb DISPLAY="$ZP_XVFB_DISPLAY" "$build/app_tool" "$@" 2>/dev/null; }
runs=5

echo "figures: CPU for 10 s of playback" >&2
# The shell's own timing: user, system and elapsed seconds to the millisecond.
TIMEFORMAT='%3U %3S %3R'
{ time "$build/play_cpu_tool" 10 "$work/played.pcm" >"$work/editor.out" 2>/dev/null; } \
  2>"$work/editor.time"
{ time paplay --raw --format=s16le --rate=44100 --channels=1 "$work/played.pcm"; } \
  2>"$work/paplay.time"
read -r editor_user editor_sys editor_wall <"$work/editor.time"
read -r paplay_user paplay_sys paplay_wall <"$work/paplay.time"
cpu() { awk -v u="$1" -v s="$2" -v w="$3" 'BEGIN { printf "%.3f s (%.2f %% of one core over %.1f s)", u + s, 100 * (u + s) / w, w }'; }
editor_cpu=$(cpu "$editor_user" "$editor_sys" "$editor_wall")
paplay_cpu=$(cpu "$paplay_user" "$paplay_sys" "$paplay_wall")
playback_cpu=$(field playback_cpu_s <"$work/editor.out")
headless_hwm=$(megabytes vm_hwm <"$work/editor.out")

echo "figures: Render per sample" >&2
# Separate processes: on a virtual machine the time per sample can differ from one process to the
# next, so the range over the runs is shown with the median.
: >"$work/tones.csv"
for _ in $(seq "$runs"); do
  "$build/tones_bench" --benchmark_format=csv --benchmark_min_time=0.5 2>/dev/null >>"$work/tones.csv"
done
render() {
  awk -F, -v name="\"$1\"" '$1 == name { printf "%.1f\n", $4 }' "$work/tones.csv" >"$work/render.ns"
  printf "%s ns (median of %s runs; %s–%s ns)" "$(median <"$work/render.ns")" "$runs" \
    "$(minimum <"$work/render.ns")" "$(maximum <"$work/render.ns")"
}
render_wave=$(render BM_RenderWaveTone)
render_harmonics=$(render BM_RenderHarmonicsTone)

echo "figures: paste to sound" >&2
"$build/latency_tool" "$ZP_PULSE_SINK.monitor" 9 >"$work/latency.out" 2>/dev/null
latency="$(field latency_ms_median <"$work/latency.out") ms (median of 9; $(field latency_ms_min \
  <"$work/latency.out")–$(field latency_ms_max <"$work/latency.out") ms)"

echo "figures: exit while playing" >&2
: >"$work/exit.ms"
for _ in $(seq "$runs"); do
  app play-exit 2 >"$work/exit.out"
  ended=$(now)
  echo $(((ended - $(field exit_ns <"$work/exit.out")) / 1000000)) >>"$work/exit.ms"
done
app_hwm=$(megabytes vm_hwm <"$work/exit.out")
exit_ms="$(median <"$work/exit.ms") ms (median of $runs; $(minimum <"$work/exit.ms")–$(maximum \
  <"$work/exit.ms") ms)"

echo "figures: start-up" >&2
: >"$work/startup.ms"
: >"$work/bare.ms"
for _ in $(seq "$runs"); do
  started=$(now)
  app startup >"$work/startup.out"
  echo $((($(field first_frame_ns <"$work/startup.out") - started) / 1000000)) >>"$work/startup.ms"
done
read -r width height < <(awk '$1 == "size" { print $2, $3 }' "$work/startup.out")
for _ in $(seq "$runs"); do
  started=$(now)
  app bare "$width" "$height" >"$work/bare.out"
  echo $((($(field first_frame_ns <"$work/bare.out") - started) / 1000000)) >>"$work/bare.ms"
done
startup_ms="$(median <"$work/startup.ms") ms (median of $runs)"
bare_ms="$(median <"$work/bare.ms") ms (median of $runs)"

model=$(lscpu | sed -n 's/^Model name: *//p' | head -n 1)
system=$(. /etc/os-release && echo "$PRETTY_NAME")
cat <<EOF
Measured on: $model, $(nproc) cores, $system; $(date -u +%Y-%m-%d).

| Figure | Zintar Plovic Editor | Beside it | Rerun |
|---|---|---|---|
| CPU for 10 s of playback into the null sink (user + system, whole process) | $editor_cpu; of that $playback_cpu s from Play to the end of the sound | \`paplay\` playing the same PCM into the same sink: $paplay_cpu | \`time $build/play_cpu_tool 10 played.pcm\`, then \`time paplay --raw --format=s16le --rate=44100 --channels=1 played.pcm\` |
| \`Render\` per sample, tone 1 (sampled wave), note 45 | $render_wave | | \`$build/tones_bench\` |
| \`Render\` per sample, tone 2 (harmonics), note 45 | $render_harmonics | | \`$build/tones_bench\` |
| Paste while playing to the first sample of the new wave recorded from the sink | $latency | | \`$build/latency_tool $ZP_PULSE_SINK.monitor 9\` |
| Exit (the Exit button) while playing to the end of the process | $exit_ms | | \`$build/app_tool play-exit 2\`, time from its \`exit_ns\` to its end |
| Start to the first shown frame of the main dialog (Xvfb) | $startup_ms | an empty \`QDialog\` of the same size: $bare_ms | \`$build/app_tool startup\`, \`$build/app_tool bare $width $height\` |
| Peak resident memory (VmHWM) while playing | the application: $app_hwm | the player without a window: $headless_hwm | \`$build/app_tool play-exit 2\`, \`$build/play_cpu_tool 10 played.pcm\` |
EOF
