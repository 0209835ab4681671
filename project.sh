#!/bin/sh
# Builds, runs and tests the gauge modules and the stand-in panel host.
#
#   ./project.sh main    install what is missing, build every target, run the main job
#   ./project.sh test    install what is missing, build every target, run every test
#   ./project.sh deps | build | dist     the single steps
set -eu
cd "$(dirname "$0")"

presets="native sanitize win32 win64"
packages="cmake ninja-build g++ pkg-config g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
python3-pefile libcairo2-dev libfontconfig1-dev fonts-liberation fonts-dseg fonts-dejavu-core
libelf-dev nlohmann-json3-dev googletest libgtest-dev"

say() { printf '\n== %s\n' "$*"; }

deps() {
    missing=""
    for package in $packages; do
        dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
    done
    if [ -n "$missing" ]; then
        say "installing:$missing"
        sudo_cmd=""
        [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
        $sudo_cmd apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq $missing
    fi
}

build() {
    for preset in $presets; do
        say "building $preset"
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset"
    done
}

dist() {
    say "main job: the 32-bit gauge modules in dist/"
    mkdir -p dist
    for dll in build/win32/gauges/*/*.dll; do
        cp "$dll" dist/
        echo "dist/$(basename "$dll")"
    done
    say "each gauge through the stand-in host"
    for module in build/native/gauges/*/*.so; do
        gauge=$(basename "$module" .so)
        scenario="gauges/$gauge/scenarios/default.scn"
        set -- --frames 3
        [ -f "$scenario" ] && set -- --scenario "$scenario"
        build/native/host/panelhost run "$module" "$@" --output "dist/$gauge.trace.jsonl"
        echo "dist/$gauge.trace.jsonl: $(wc -l <"dist/$gauge.trace.jsonl") trace lines"
    done
    say "previews in dist/previews/"
    scripts/previews build/native dist/previews
}

run_tests() {
    for preset in $presets; do
        say "testing $preset"
        ctest --preset "$preset"
    done
}

case "${1:-}" in
main) deps && build && dist ;;
test) deps && build && run_tests ;;
deps) deps ;;
build) build ;;
dist) dist ;;
*)
    sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
