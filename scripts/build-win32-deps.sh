#!/usr/bin/env bash
# build-win32-deps.sh TOOLCHAIN PREFIX CACHE
# GoogleTest from the source Debian's libgtest-dev installs, and expat from
# Debian's source package configured for wchar_t, both static, into PREFIX.
set -euo pipefail
toolchain=$1 prefix=$2 cache=$3
work=$prefix-build
mkdir -p "$prefix" "$work" "$cache"

if [ ! -f "$prefix/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$work/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$work/googletest" >/dev/null
  cmake --install "$work/googletest" >/dev/null
fi

fetch_expat() {
  local lists=$cache/apt-lists sources=$cache/expat-src.sources
  mkdir -p "$lists/partial"
  cat > "$sources" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  # Private apt configuration: the system's sources stay untouched.
  local opts=(-o "Dir::Etc::SourceList=$sources" -o Dir::Etc::SourceParts=/dev/null
              -o "Dir::State::Lists=$lists" -o Dir::Cache=$cache/apt-cache)
  mkdir -p "$cache/apt-cache/archives/partial"
  apt-get "${opts[@]}" update >/dev/null
  local version
  # The newest listed version may answer 404; try each until one downloads.
  for version in $(apt-cache "${opts[@]}" showsrc expat | awk '/^Version:/{print $2}'); do
    if (cd "$cache" && apt-get "${opts[@]}" source --download-only "expat=$version" >/dev/null 2>&1); then
      return 0
    fi
  done
  echo "could not download Debian's expat source" >&2
  return 1
}

if [ ! -f "$prefix/lib/libexpatw.a" ]; then
  dsc=$(ls "$cache"/expat_*.dsc 2>/dev/null | head -n1 || true)
  if [ -z "$dsc" ]; then
    fetch_expat
    dsc=$(ls "$cache"/expat_*.dsc | head -n1)
  fi
  rm -rf "$work/expat-src"
  dpkg-source --no-check -x "$dsc" "$work/expat-src" >/dev/null
  src=$work/expat-src
  [ -f "$src/expat/CMakeLists.txt" ] && src=$src/expat
  # Debian's security patch tests "#if XML_DTD == 1"; give the defines a value.
  sed -i -e 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' \
         -e 's/^#cmakedefine XML_NS$/#cmakedefine XML_NS 1/' "$src/expat_config.h.cmake"
  cmake -S "$src" -B "$work/expat" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF \
    -DEXPAT_BUILD_DOCS=OFF -DEXPAT_SHARED_LIBS=OFF -DEXPAT_CHAR_TYPE=wchar_t >/dev/null
  cmake --build "$work/expat" >/dev/null
  cmake --install "$work/expat" >/dev/null
fi
