#!/usr/bin/env bash
# Plays the wave tone for 10 s into a private, inaudible PulseAudio null sink and reports the CPU
# time of the player's process beside paplay playing the same PCM, and how long Stop takes until
# the sink plays silence.
#   bench/playback_cpu.sh [BUILD_DIR [SECONDS]]     (default: build 10)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
seconds=${2:-10}

cmake --build "$build" --target playback_tool >/dev/null
tool="$build/playback_tool"

source scripts/test-env.sh
trap zp_env_stop EXIT
zp_env_start
if [[ -z "${PULSE_SERVER:-}" ]]; then
  echo "playback_cpu: no private PulseAudio server could be started" >&2
  exit 1
fi
export JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1

work=$ZP_ENV_DIR
pcm="$work/wave.pcm"
"$tool" pcm "$seconds" "$pcm"

# CPU seconds (user + system) of a whole process, from /usr/bin/time's record.
cpu_of() { awk '{ print $1 + $2 }' "$1"; }

/usr/bin/time -f '%U %S %e' -o "$work/player.time" "$tool" play "$seconds" >"$work/player.out"
/usr/bin/time -f '%U %S %e' -o "$work/paplay.time" \
  paplay --raw --format=s16le --rate=44100 --channels=1 "$pcm"
# A separate, shorter run records the sink's monitor to see when the sound really ends.
"$tool" play 3 "$ZP_PULSE_SINK.monitor" >"$work/stop.out"
# Closing the application while sound plays destroys the player without a Stop.
"$tool" close 2 >"$work/close.out"

value() { sed -n "s/^$1=//p" "$2"; }

printf '%-44s %s\n' "player: CPU s while playing ${seconds} s" \
  "$(value cpu_seconds_playing "$work/player.out") ($(value cpu_percent_playing "$work/player.out") % of one core)"
printf '%-44s %s\n' "  of which the render thread" "$(value cpu_seconds_render_thread "$work/player.out")"
printf '%-44s %s\n' "player: CPU s, whole process" "$(cpu_of "$work/player.time") (wall $(awk '{print $3}' "$work/player.time") s)"
printf '%-44s %s\n' "paplay: CPU s, whole process, same PCM" "$(cpu_of "$work/paplay.time") (wall $(awk '{print $3}' "$work/paplay.time") s)"
printf '%-44s %s\n' "Stop -> render thread ended (ms)" "$(value stop_to_thread_end_ms "$work/stop.out")"
printf '%-44s %s\n' "Stop -> last sound at the sink (ms)" "$(value stop_to_silence_ms "$work/stop.out")"
printf '%-44s %s\n' "destroying the playing player (ms)" "$(value destroy_while_playing_ms "$work/close.out")"
