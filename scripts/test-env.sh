# Sourced by ./test: a private, inaudible sound server and a private X display for the tests.
# Never touches the user's own sound server or display; everything is stopped by process id.

ZP_ENV_DIR=""
ZP_PULSE_PID=""
ZP_XVFB_PID=""
ZP_JACK_PID=""

zp_env_start() {
  ZP_ENV_DIR=$(mktemp -d /tmp/zp-test-env.XXXXXX)
  export ZP_ENV_DIR
  # Settings, the last session and recent files of the tests stay out of the user's own.
  export XDG_CONFIG_HOME="$ZP_ENV_DIR/config" XDG_DATA_HOME="$ZP_ENV_DIR/data"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

  # Sound: a PulseAudio server of our own with only a null sink, reached through its own socket.
  # ALSA's pulse hook sends the default device there while PULSE_SERVER names it.
  if command -v pulseaudio >/dev/null 2>&1; then
    mkdir -p "$ZP_ENV_DIR/pulse-home"
    HOME="$ZP_ENV_DIR/pulse-home" XDG_RUNTIME_DIR="$ZP_ENV_DIR" \
      pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
      -L "module-native-protocol-unix socket=$ZP_ENV_DIR/pulse-native auth-anonymous=1" \
      -L "module-null-sink sink_name=zp_null rate=44100 channels=1" \
      -L "module-always-sink" \
      --log-target=file:"$ZP_ENV_DIR/pulse.log" >/dev/null 2>&1 &
    ZP_PULSE_PID=$!
    for _ in $(seq 1 50); do
      [[ -S "$ZP_ENV_DIR/pulse-native" ]] && break
      sleep 0.1
    done
    if [[ -S "$ZP_ENV_DIR/pulse-native" ]]; then
      export PULSE_SERVER="unix:$ZP_ENV_DIR/pulse-native"
      export ZP_PULSE_SINK=zp_null
      export ZP_PULSE_PID
    else
      echo "test-env: private PulseAudio server did not start; sound tests will be skipped" >&2
      kill "$ZP_PULSE_PID" 2>/dev/null || true
      ZP_PULSE_PID=""
      unset PULSE_SERVER
    fi
  fi

  # MIDI: a JACK server of our own on the dummy driver (no sound card), under a name of its own
  # (ZP_JACK_SERVER) that only the MIDI tests put in JACK_DEFAULT_SERVER, so that no other JACK
  # server is reached and the sound tests' PortAudio never meets this one; the MIDI tests skip
  # when it did not start.
  if command -v jackd >/dev/null 2>&1; then
    ZP_JACK_SERVER="zp-test-$$-$RANDOM"
    JACK_DEFAULT_SERVER="$ZP_JACK_SERVER" jackd --no-realtime -d dummy -r 44100 -p 256 >"$ZP_ENV_DIR/jackd.log" 2>&1 &
    ZP_JACK_PID=$!
    local up=0
    for _ in $(seq 1 50); do
      kill -0 "$ZP_JACK_PID" 2>/dev/null || break
      if JACK_DEFAULT_SERVER="$ZP_JACK_SERVER" JACK_NO_START_SERVER=1 jack_lsp >/dev/null 2>&1; then
        up=1
        break
      fi
      sleep 0.1
    done
    if [[ $up -eq 1 ]]; then
      export ZP_JACK_PID ZP_JACK_SERVER
    else
      echo "test-env: private JACK server did not start; MIDI tests will be skipped" >&2
      kill "$ZP_JACK_PID" 2>/dev/null || true
      ZP_JACK_PID=""
      unset ZP_JACK_SERVER
    fi
  fi

  # Display: a private Xvfb for the real-clipboard and screenshot tests.
  if command -v Xvfb >/dev/null 2>&1; then
    local display=":$((90 + RANDOM % 400))"
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$ZP_ENV_DIR/xvfb.log" 2>&1 &
    ZP_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [[ -e "/tmp/.X11-unix/X${display#:}" ]] && break
      sleep 0.1
    done
    if kill -0 "$ZP_XVFB_PID" 2>/dev/null; then
      export ZP_XVFB_DISPLAY="$display"
    else
      ZP_XVFB_PID=""
    fi
  fi
}

zp_env_stop() {
  [[ -n "$ZP_PULSE_PID" ]] && kill "$ZP_PULSE_PID" 2>/dev/null && wait "$ZP_PULSE_PID" 2>/dev/null
  [[ -n "$ZP_XVFB_PID" ]] && kill "$ZP_XVFB_PID" 2>/dev/null && wait "$ZP_XVFB_PID" 2>/dev/null
  [[ -n "$ZP_JACK_PID" ]] && kill "$ZP_JACK_PID" 2>/dev/null && wait "$ZP_JACK_PID" 2>/dev/null
  [[ -n "$ZP_ENV_DIR" ]] && rm -rf "$ZP_ENV_DIR"
  ZP_PULSE_PID=""
  ZP_XVFB_PID=""
  ZP_JACK_PID=""
  return 0
}
