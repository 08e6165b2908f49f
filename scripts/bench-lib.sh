# Shared steps of the benchmark scripts; sourced from the checkout's root.
#   bench_build TARGET        builds the Windows benchmark program TARGET (BUILD_DIR or build/win32)
#   bench_start_databases     starts the sample and benchmark databases, remembering whether
#                             they ran before (bench_stop_databases stops only what it started)
#   bench_platform            says whether i386 code runs natively or under qemu-user

build_dir="${BUILD_DIR:-build/win32}"

bench_build() {
    cmake --preset win32 >/dev/null
    cmake --build "$build_dir" --target "$1" -j "$(nproc)" >/dev/null
}

bench_start_databases() {
    databases_were_running=0
    scripts/sampledb.sh status >/dev/null 2>&1 && databases_were_running=1
    scripts/sampledb.sh start >/dev/null
    scripts/sampledb.sh bench >/dev/null
    source scripts/wine-env.sh
    source scripts/display.sh
}

bench_stop_databases() {
    [ "${databases_were_running:-1}" = 1 ] || scripts/sampledb.sh stop >/dev/null || true
}

# Where i386 code (Wine, the drivers) runs under qemu-user, every instruction of the program
# costs many times what it costs natively, while the peers run natively either way.
bench_platform() {
    if [ -r /proc/sys/fs/binfmt_misc/qemu-i386 ] && head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 | grep -qx enabled; then
        echo "i386 code: emulated (qemu-user); peers: native"
    else
        echo "i386 code: native"
    fi
}
