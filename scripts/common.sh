# Shared by run.sh and test.sh: where the sources are and how to build a preset.
set -eu
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
cd "$SOURCE_DIR"

build_preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" --parallel "$(nproc)"
}
