# Sourced by a test that runs Wine in a fresh prefix of its own, once WORK names its folder (named
# after the test: tools/lumetta fails the run, naming the test, when a process of a prefix under the
# build folder is still running after ctest, and finds the test by that name). Sets the Wine
# environment of WORK/prefix and the log WORK/wine.log, and ends every process of the prefix with
# the script, on failure too.
export WINEPREFIX=$WORK/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
LOG=$WORK/wine.log

# The server is found through the prefix folder: it is ended first (wineserver -k, then -w), and
# only then is the prefix deleted. After a failure the prefix stays to be looked at.
end_private_prefix() {
  local rc=$?
  wineserver -k >>"$LOG" 2>&1 || true
  wineserver -w >>"$LOG" 2>&1 || true
  if [ "$rc" = 0 ]; then rm -rf "$WINEPREFIX"; fi
}
trap end_private_prefix EXIT
