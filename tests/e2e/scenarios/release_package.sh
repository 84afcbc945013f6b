# The release package, as a Windows user gets it: the zip that CPack makes
# (cmake --build --preset windows --target package), unpacked into a folder
# of its own, and the Skyvane.exe in it started under Wine. Uses the steps
# of tray_and_main_window.sh. Sourced by tests/e2e/run.sh, which runs the
# group as the function release_package.

RP_ZIP="$E2E_BUILD/package/Skyvane-2.59-win64.zip"

release_package() {
  e2e_scenario "the release package: the unpacked Skyvane.exe starts and shows its tray icon"
  e2e_check "the package is built" test -f "$RP_ZIP" || return
  local dir="$E2E_OUT/package"
  rm -rf "$dir" && mkdir -p "$dir"
  e2e_check "it unpacks" bash -c "cd '$dir' && cmake -E tar xf '$RP_ZIP'" || return
  e2e_check "to Skyvane.exe and README.txt" test -f "$dir/Skyvane.exe" -a -f "$dir/README.txt" || return
  fresh_settings "$AUTORUN=NoAutorun" "$SHOW_TIP=hide" || return
  e2e_start skyvane "$dir/Skyvane.exe"
  SKYVANE_PID=$E2E_LAST_PID
  e2e_check "the packaged Skyvane starts in the tray" \
    while_running 10000 e2e_window_is "$MAIN" visible=0 iconic=1 || return
  e2e_check "and shows its tray icon" while_running 5000 e2e_tray_is "$MAIN" present=1
  e2e_stop_skyvane
}
