# Sourced: sets KV_WIN_PRESET to the Windows build whose programs Wine can run
# here. The product is 32-bit; a kernel without 32-bit execution cannot run
# wine32, so there the same code runs as 64-bit programs under wine64.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  KV_WIN_PRESET=win32
else
  KV_WIN_PRESET=win64
  echo "note: this kernel cannot execute 32-bit programs; Windows programs run as the 64-bit build under wine64"
fi
