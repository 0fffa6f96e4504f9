#!/usr/bin/env bash
# Measures every figure README shows, side by side in one run on this machine, and prints them as
# a Markdown table. Starts its own private PulseAudio server with a null sink and its own Xvfb
# display, the way the test suite does (scripts/test-env.sh): nothing is heard, the user's sound
# server and desktop are not touched, and both are stopped by process id at the end. Each sound
# figure is taken for the default stream and for the low-latency preview.
#
#   bench/figures.sh                          builds into build/ (RelWithDebInfo) and measures
#   ZP_BUILD_DIR=build-other bench/figures.sh  another build directory
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZP_BUILD_DIR:-build}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tones_bench render_bench bank_bench play_cpu_tool latency_tool \
  app_tool playback_tool >/dev/null
tools="$build"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

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
value() { sed -n "s/^$1=//p" "$2"; }
megabytes() { awk -v key="$1" '$1 == key { printf "%.1f MB", $2 / 1024 }'; }
app() { QT_QPA_PLATFORM=xcb DISPLAY="$ZP_XVFB_DISPLAY" "$tools/app_tool" "$@" 2>/dev/null; }
runs=5

echo "figures: CPU for 10 s of playback" >&2
# The shell's own timing: user, system and elapsed seconds to the millisecond.
TIMEFORMAT='%3U %3S %3R'
cpu() { awk -v u="$1" -v s="$2" -v w="$3" 'BEGIN { printf "%.3f s (%.2f %% of one core over %.1f s)", u + s, 100 * (u + s) / w, w }'; }
{ time "$tools/play_cpu_tool" 10 "$work/played.pcm" >"$work/editor.out" 2>/dev/null; } \
  2>"$work/editor.time"
{ time paplay --raw --format=s16le --rate=44100 --channels=1 "$work/played.pcm"; } \
  2>"$work/paplay.time"
{ time "$tools/play_cpu_tool" 10 "$work/played-low.pcm" --low-latency >"$work/editor-low.out" \
  2>/dev/null; } 2>"$work/editor-low.time"
read -r editor_user editor_sys editor_wall <"$work/editor.time"
read -r paplay_user paplay_sys paplay_wall <"$work/paplay.time"
read -r low_user low_sys low_wall <"$work/editor-low.time"
editor_cpu=$(cpu "$editor_user" "$editor_sys" "$editor_wall")
paplay_cpu=$(cpu "$paplay_user" "$paplay_sys" "$paplay_wall")
low_cpu=$(cpu "$low_user" "$low_sys" "$low_wall")
playback_cpu=$(field playback_cpu_s <"$work/editor.out")
low_playback_cpu=$(field playback_cpu_s <"$work/editor-low.out")
headless_hwm=$(megabytes vm_hwm <"$work/editor.out")

echo "figures: Render per sample" >&2
# Separate processes: on a virtual machine the time per sample can differ from one process to the
# next, so the range over the runs is shown with the median.
: >"$work/tones.csv"
for _ in $(seq "$runs"); do
  "$tools/tones_bench" --benchmark_format=csv --benchmark_min_time=0.5 2>/dev/null >>"$work/tones.csv"
done
render() {
  awk -F, -v name="\"$1\"" '$1 == name { printf "%.1f\n", $4 }' "$work/tones.csv" >"$work/render.ns"
  printf "%s ns (median of %s runs; %s–%s ns)" "$(median <"$work/render.ns")" "$runs" \
    "$(minimum <"$work/render.ns")" "$(maximum <"$work/render.ns")"
}
render_wave=$(render BM_RenderWaveTone)
render_harmonics=$(render BM_RenderHarmonicsTone)

echo "figures: the player's step with and without a wave sequence; a 256-wave bank" >&2
aggregates=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
"$tools/render_bench" --benchmark_filter=Player "${aggregates[@]}" --benchmark_format=csv \
  2>/dev/null >"$work/player.csv"
"$tools/bank_bench" --benchmark_filter=256WaveBank "${aggregates[@]}" --benchmark_format=csv \
  2>/dev/null >"$work/bank.csv"
median_of() {  # CSV file, benchmark name: its median's CPU and wall time, in the CSV's unit
  awk -F, -v name="\"$2_median\"" '$1 == name { print $4, $3 }' "$1"
}
step() {  # a benchmark of render_bench that renders one second (44100 samples) per iteration
  read -r cpu wall < <(median_of "$work/player.csv" "$1")
  awk -v c="$cpu" -v w="$wall" 'BEGIN { printf "%.1f ns of CPU per sample (median of 5; wall %.1f ns)", c / 44100, w / 44100 }'
}
bank() {
  read -r cpu wall < <(median_of "$work/bank.csv" "$1")
  awk -v c="$cpu" -v w="$wall" 'BEGIN { printf "%.1f ms of CPU (wall %.1f ms)", c, w }'
}
player_wave=$(step BM_PlayerStepWave)
player_sequence=$(step BM_PlayerStepSequence60Hz)
bank_all=$(bank BM_OpenMorphSave256WaveBank)
bank_parts="open $(bank BM_Open256WaveBank); morph linear $(bank BM_MorphInSession256WaveBank/0), spectral $(bank BM_MorphInSession256WaveBank/1); save $(bank BM_Save256WaveBank)"

echo "figures: paste to sound" >&2
paste_latency() {  # output file of latency_tool
  printf "%s ms (median of 9; %s–%s ms)" "$(field latency_ms_median <"$1")" \
    "$(field latency_ms_min <"$1")" "$(field latency_ms_max <"$1")"
}
"$tools/latency_tool" "$ZP_PULSE_SINK.monitor" 9 >"$work/latency.out" 2>/dev/null
"$tools/latency_tool" "$ZP_PULSE_SINK.monitor" 9 --low-latency >"$work/latency-low.out" 2>/dev/null
latency=$(paste_latency "$work/latency.out")
low_latency=$(paste_latency "$work/latency-low.out")

echo "figures: note key and MIDI note to sound" >&2
# MIDI goes through the private JACK server that test-env.sh started.
notes() { JACK_DEFAULT_SERVER=${ZP_JACK_SERVER:-} "$tools/latency_tool" "$ZP_PULSE_SINK.monitor" 9 "$@"; }
for mode in key midi; do
  notes --$mode >"$work/$mode.out" 2>/dev/null || true
  notes --$mode --low-latency >"$work/$mode-low.out" 2>/dev/null || true
done
key_latency=$(paste_latency "$work/key.out")
low_key_latency=$(paste_latency "$work/key-low.out")
midi_latency=$(paste_latency "$work/midi.out")
low_midi_latency=$(paste_latency "$work/midi-low.out")

echo "figures: Stop to silence" >&2
stop_silence() {  # extra options of playback_tool
  : >"$work/stop.ms"
  for _ in $(seq "$runs"); do
    "$tools/playback_tool" play 3 "$ZP_PULSE_SINK.monitor" "$@" >"$work/stop.out" 2>/dev/null
    value stop_to_silence_ms "$work/stop.out" >>"$work/stop.ms"
  done
  printf "%s ms (median of %s; %s–%s ms)" "$(median <"$work/stop.ms")" "$runs" \
    "$(minimum <"$work/stop.ms")" "$(maximum <"$work/stop.ms")"
}
stop_ms=$(stop_silence)
low_stop_ms=$(stop_silence --low-latency)

echo "figures: 60 s of playback beside a busy core" >&2
verify_busy() {  # extra options of playback_tool
  # A shell loop keeps one core fully busy for the whole run.
  (while :; do :; done) &
  local busy=$!
  "$tools/playback_tool" verify 60 "$ZP_PULSE_SINK.monitor" "$@" >"$work/verify.out" 2>/dev/null ||
    true
  kill "$busy"
  wait "$busy" 2>/dev/null || true
  local fallback=""
  [[ "$(value latency_fallback "$work/verify.out")" == 1 ]] && fallback="; fell back to the longer lead"
  printf "%s s heard; %s samples neither the one played there nor a neighbour (%s %% exact)%s" \
    "$(value verify_heard_s "$work/verify.out")" "$(value verify_bad_samples "$work/verify.out")" \
    "$(value verify_exact_percent "$work/verify.out")" "$fallback"
}
verify_default=$(verify_busy)
verify_low=$(verify_busy --low-latency)

echo "figures: exit while playing" >&2
exit_time() {  # extra options of app_tool play-exit
  : >"$work/exit.ms"
  for _ in $(seq "$runs"); do
    app play-exit 2 "$@" >"$work/exit.out"
    ended=$(now)
    echo $(((ended - $(field exit_ns <"$work/exit.out")) / 1000000)) >>"$work/exit.ms"
  done
  printf "%s ms (median of %s; %s–%s ms)" "$(median <"$work/exit.ms")" "$runs" \
    "$(minimum <"$work/exit.ms")" "$(maximum <"$work/exit.ms")"
}
exit_ms=$(exit_time)
app_hwm=$(megabytes vm_hwm <"$work/exit.out")
low_exit_ms=$(exit_time --low-latency)

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
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
cat <<EOF
Measured on: $model, $(nproc) cores, $system; $(date -u +%Y-%m-%d); load average $load_before at the start, $load_after at the end.

| Figure | Zintar Plovic Editor | Beside it | Rerun |
|---|---|---|---|
| CPU for 10 s of playback into the null sink (user + system, whole process) | $editor_cpu; of that $playback_cpu s from Play to the end of the sound | \`paplay\` playing the same PCM into the same sink: $paplay_cpu | \`time $tools/play_cpu_tool 10 played.pcm\`, then \`time paplay --raw --format=s16le --rate=44100 --channels=1 played.pcm\` |
| the same, low-latency preview | $low_cpu; of that $low_playback_cpu s from Play to the end of the sound | | \`time $tools/play_cpu_tool 10 played.pcm --low-latency\` |
| \`Render\` per sample, tone 1 (sampled wave), note 45 | $render_wave | | \`$tools/tones_bench\` |
| \`Render\` per sample, tone 2 (harmonics), note 45 | $render_harmonics | | \`$tools/tones_bench\` |
| The player's whole step per sample, tone 1, note 45, one wave (\`BM_PlayerStepWave\`) | $player_wave | | \`$tools/render_bench --benchmark_filter=Player ${aggregates[*]}\` |
| the same, a 60 Hz sequence of 16 waves switching (\`BM_PlayerStepSequence60Hz\`) | $player_sequence | | \`$tools/render_bench --benchmark_filter=Player ${aggregates[*]}\` |
| A 256-wave \`.zpwave\` opened, morphed (spectral, 254 steps) and saved as Open, Morph… and Save do (\`BM_OpenMorphSave256WaveBank\`, median of 5) | $bank_all | each alone (median of 5): $bank_parts | \`$tools/bank_bench --benchmark_filter=256WaveBank ${aggregates[*]}\` |
| Paste while playing to the first sample of the new wave recorded from the sink | $latency | | \`$tools/latency_tool $ZP_PULSE_SINK.monitor 9\` |
| the same, low-latency preview | $low_latency | | \`$tools/latency_tool $ZP_PULSE_SINK.monitor 9 --low-latency\` |
| A note key pressed in silence to its first sample recorded from the sink | $key_latency | | \`$tools/latency_tool $ZP_PULSE_SINK.monitor 9 --key\` |
| the same, low-latency preview | $low_key_latency | | \`$tools/latency_tool $ZP_PULSE_SINK.monitor 9 --key --low-latency\` |
| A MIDI note-on sent through JACK (dummy driver) to its first sample recorded from the sink | $midi_latency | | \`$tools/latency_tool $ZP_PULSE_SINK.monitor 9 --midi\` beside \`jackd -d dummy\` |
| the same, low-latency preview | $low_midi_latency | | \`$tools/latency_tool $ZP_PULSE_SINK.monitor 9 --midi --low-latency\` beside \`jackd -d dummy\` |
| Stop to the last sound recorded from the sink | $stop_ms | | \`$tools/playback_tool play 3 $ZP_PULSE_SINK.monitor\` |
| the same, low-latency preview | $low_stop_ms | | \`$tools/playback_tool play 3 $ZP_PULSE_SINK.monitor --low-latency\` |
| 60 s of playback while a shell loop keeps the other core busy: the sink's recording against the samples played | $verify_default | | \`$tools/playback_tool verify 60 $ZP_PULSE_SINK.monitor\` beside \`while :; do :; done\` |
| the same, low-latency preview | $verify_low | | \`$tools/playback_tool verify 60 $ZP_PULSE_SINK.monitor --low-latency\` beside \`while :; do :; done\` |
| Exit (the Exit button) while playing to the end of the process | $exit_ms | | \`$tools/app_tool play-exit 2\`, time from its \`exit_ns\` to its end |
| the same, low-latency preview | $low_exit_ms | | \`$tools/app_tool play-exit 2 --low-latency\` |
| Start to the first shown frame of the main dialog (Xvfb) | $startup_ms | an empty \`QDialog\` of the same size: $bare_ms | \`$tools/app_tool startup\`, \`$tools/app_tool bare $width $height\` |
| Peak resident memory (VmHWM) while playing | the application: $app_hwm | the player without a window: $headless_hwm | \`$tools/app_tool play-exit 2\`, \`$tools/play_cpu_tool 10 played.pcm\` |
EOF
