#!/usr/bin/env bash
# Fetches and unpacks Debian's source packages of the C libraries the browser build compiles to
# WebAssembly itself (FreeType and libjpeg-turbo): no registry has them built for it. apt works
# on a private copy of the machine's archive list with source entries added, so the machine's
# own apt configuration stays as it is.
#   tools/web/fetch_sources.sh <folder> <source package>...
set -euo pipefail

dest=$(realpath -m "$1")
shift
apt_dir=$dest/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

# The machine's archives, as source entries: deb822 files and one-line lists alike.
for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    sed 's/^Types:.*/Types: deb-src/' "$file" > "$apt_dir/sources.list.d/$(basename "$file")"
done
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$file" ] || continue
    sed -n 's/^deb \(.*\)/deb-src \1/p' "$file" > "$apt_dir/sources.list.d/$(basename "$file")"
done

apt_private=(
    -o "Dir::Etc::SourceList=/dev/null"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "Acquire::Retries=3"
    -o "Acquire::http::Timeout=60"
    -o "APT::Sandbox::User=root"
)
apt-get "${apt_private[@]}" -qq update
cd "$dest"
for package in "$@"; do
    # One unpacked tree per package, named by the package; a second run finds it there.
    if [ ! -d "$dest/$package" ]; then
        rm -rf "$dest/unpack" && mkdir -p "$dest/unpack"
        (cd "$dest/unpack" && apt-get "${apt_private[@]}" -qq source "$package" > /dev/null)
        mv "$(find "$dest/unpack" -mindepth 1 -maxdepth 1 -type d | head -1)" "$dest/$package"
        rm -rf "$dest/unpack"
    fi
done
