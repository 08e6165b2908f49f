#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing Kestrova.
# Idempotent: packages already present are skipped, the locale is generated once.
set -euo pipefail

need_i386() {
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
}

# Some virtual machines run no 32-bit code at all (the kernel answers "Exec format error").
# There Wine's i386 loader runs under qemu-user; qemu older than 8 spends ~50 s per Wine
# process tracking the address space Wine reserves, so the backported release is used.
i386_runs_natively() {
    /lib/i386-linux-gnu/ld-linux.so.2 --version >/dev/null 2>&1
}

# The backports entry uses the mirror the machine already takes bookworm from: the URI of
# the first source (deb822 or one-line form) whose suites include plain "bookworm".
debian_mirror() {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             {
                 uris = ""; suites = ""; deb = 0
                 for (i = 1; i <= NF; i++) {
                     if ($i ~ /^URIs:/)   { uris = $i;   sub(/^URIs:[ \t]*/, "", uris) }
                     if ($i ~ /^Suites:/) { suites = " " $i " " }
                     if ($i ~ /^Types:.*(^|[ \t])deb([ \t]|$)/) deb = 1
                 }
                 if (deb && uris != "" && suites ~ /[ \t]bookworm[ \t]/) { split(uris, u, /[ \t]+/); print u[1]; exit }
             }' "$f"
    done | head -n 1 | grep . && return 0
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
        | awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                             if ($(i + 1) == "bookworm") { print $i; exit } }' | grep .
}

ensure_i386_execution() {
    local entry=/proc/sys/fs/binfmt_misc/qemu-i386
    if [ ! -e "$entry" ] && i386_runs_natively; then
        return
    fi
    if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || echo 0)" ge 1:8; then
        if [ ! -f /etc/apt/sources.list.d/kestrova-backports.sources ]; then
            local mirror
            mirror=$(debian_mirror) || { echo "setup: no Debian bookworm source in the apt configuration" >&2; exit 1; }
            printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
                "$mirror" > /etc/apt/sources.list.d/kestrova-backports.sources
            apt-get update -qq
        fi
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -t bookworm-backports qemu-user-static >/dev/null
    fi
    mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    # Registered with F: the interpreter is opened now, so re-register after an upgrade.
    [ -e "$entry" ] && echo -1 > "$entry"
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
        > /proc/sys/fs/binfmt_misc/register
    i386_runs_natively || { echo "setup: 32-bit programs cannot run on this machine" >&2; exit 1; }
}

packages=(
    cmake g++ make googletest git pkg-config clang libclang-rt-14-dev
    g++-mingw-w64-i686 mingw-w64-tools gcc-mingw-w64-i686
    wine wine32 wine32:i386
    xvfb xauth x11-utils imagemagick openbox
    locales fonts-ipafont-gothic fonts-ipafont-mincho
    unixodbc unixodbc-dev odbcinst
    libodbc2:i386 odbcinst1debian2:i386 odbc-postgresql:i386 odbc-mariadb:i386
    libsqliteodbc:i386 odbc-mdbtools:i386 tdsodbc:i386 mdbtools
    postgresql postgresql-client mariadb-server mariadb-client
    zlib1g-dev libz-mingw-w64-dev zip unzip lhasa python3 python3-pyftpdlib
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    need_i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    # The distribution's server packages start their own instances; the project runs private ones.
    for svc in postgresql mariadb; do
        (command -v systemctl >/dev/null && systemctl disable --now "$svc" >/dev/null 2>&1) || true
    done
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
ensure_i386_execution
echo "setup: all build and test prerequisites present"
