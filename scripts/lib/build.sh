# shellcheck shell=bash
# Shared by scripts/run and scripts/test: installs the Debian packages, configures the build folder
# once and builds it. Source it from the repository root.

eq_build() {
    scripts/deps
    # Configure only a fresh folder: a configured one regenerates itself when CMake files change.
    if [ ! -f build/build.ninja ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build build -j2
}
