#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
#   ./run.sh                    against the built-in unit simulator, with demo settings and folder
#   ./run.sh --port /dev/ttyS0  against a real unit on that serial port (your own settings)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
caller_dir="$PWD"
cd "$here"

port=""
while [ $# -gt 0 ]; do
  case "$1" in
    --port) port="${2:?--port needs a device, e.g. /dev/ttyUSB0}"; shift 2 ;;
    -h|--help) sed -n '2,4p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown option: $1 (try --help)" >&2; exit 2 ;;
  esac
done

./scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vt2m vt2m-sim

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "There is no display here. Start the program in a virtual one instead:" >&2
  echo "    xvfb-run -a $0 $*" >&2
  exit 1
fi

# Writes one value into a ConfigVT2M.conf settings file.
set_setting() {
  /usr/bin/python3 - "$1" "$2" "$3" <<'PY'
import configparser, os, sys
path, key, value = sys.argv[1:]
config = configparser.ConfigParser(interpolation=None)
config.optionxform = str
config.read(path, encoding="utf-8")
if "General" not in config:
    config["General"] = {}
config["General"][key] = value
os.makedirs(os.path.dirname(path), exist_ok=True)
with open(path, "w", encoding="utf-8") as f:
    config.write(f, space_around_delimiters=False)
PY
}

if [ -n "$port" ]; then
  # A real unit: the user's own settings, and the archive and constants in the folder run.sh
  # was started from.
  set_setting "${XDG_CONFIG_HOME:-$HOME/.config}/ConfigVT2M.conf" CurrCOMM "$port"
  cd "$caller_dir"
  exec "$here/$build/app/vt2m"
fi

# The demo: a simulated unit on a pseudo-terminal, settings and files of its own.
demo="$here/.demo"
mkdir -p "$demo/work" "$demo/config"
link="$demo/bo-unit"
export XDG_CONFIG_HOME="$demo/config"
set_setting "$demo/config/ConfigVT2M.conf" CurrCOMM "$link"
set_setting "$demo/config/ConfigVT2M.conf" AdrBO 225

"$build/sim/vt2m-sim" --link "$link" --address 225 --period 2 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT INT TERM
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
[ -e "$link" ] || { echo "the unit simulator did not start" >&2; exit 1; }

cd "$demo/work"
"$here/$build/app/vt2m"
