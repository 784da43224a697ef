#!/usr/bin/env bash
# The simulated dial-up lab of a build tree, started and stopped as a whole.
#
#   lab.sh start  <build-dir> [--family F] [--phonebook FILE] [--time-scale S]
#                 [--client-profiles] [-- isp options]
#   lab.sh stop   <build-dir>
#   lab.sh run    <build-dir> [program.exe [arguments...]]   (default: the lab's Velotune.exe)
#   lab.sh env    <build-dir>         print the lab's environment as shell exports
#   lab.sh status <build-dir>         what LabProbe.exe sees inside the lab
#   lab.sh tuneup <build-dir> [--family F] [--mode auto|mtu|rwin|ttl|cache] [--type N]
#                 [--seed S] [--noise P] [--pace-scale F] [--time-scale T] [--provider K]
#                 [--disturb stop-wait,stop-fetch,stop-dial,port-held,auth-fail]
#                 a complete tune-up by the lab host (TuneUpHost.exe), through RAS or (K 2,
#                 3, 5) the lab's America Online, CompuServe or NetZero client; prints the chosen
#                 values, the log, the figures and "user values restored: yes/no", and keeps
#                 a picture of the host's window in <build-dir>/lab/tuneup-host.(bmp|png)
#
# start: the Wine environment (scripts/wine-env.sh), the prefix configured as
# a machine of Windows family F (win95, win98, winme, nt40 or win2k; default
# win98): Wine reports that version to the lab's programs, the machine has the
# network keys of that family (dial-up adapter and TCP/IP binding, NdisWan),
# and Velotune.exe loads the lab's rasapi32.dll; the ISP and web server
# (scripts/lab-isp.sh), which the prefix's Internet settings use as proxy; the
# phone book (default sim/ras/lab-phonebook.pbk); and the program folder
# <build-dir>/lab/program with Velotune.exe, the lab's DLLs and the help pages.
# start also installs the providers' client programs of the lab (sim/clients)
# in <build-dir>/lab/clients with what their installers leave (files, the
# registry values the program reads, an AOL adapter on Windows 9x), and
# names their scenario file <build-dir>/lab/clients.ini (log: clients.log);
# --client-profiles also writes the AOL and CompuServe paths and screen names
# into the program's key, as its configuration wizard would.
# stop ends what start started: a Wine environment or ISP server that was
# already running when the lab started is left running.
# The state lives in <build-dir>/lab: lab.env, program/, clients/, clients.ini,
# phonebook.pbk, started.
set -euo pipefail

command=${1:?usage: lab.sh start|stop|run|env|status <build-dir> ...}
build_dir=$(cd "${2:?build directory missing}" && pwd)
shift 2
scripts=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$scripts/.." && pwd)
state_dir="$build_dir/lab"
program_dir="$state_dir/program"
clients_dir="$state_dir/clients"
clients_ini="$state_dir/clients.ini"
env_file="$state_dir/lab.env"
started_file="$state_dir/started"

# Windows sees the Unix file system as drive Z:.
windows_path() { local path=$1; printf 'Z:%s' "${path//\//\\}"; }

# A text as a .reg file's string: backslashes and quotes escaped.
reg_text() { local text=${1//\\/\\\\}; printf '"%s"' "${text//\"/\\\"}"; }

# A wineserver serves the build tree's prefix.
wine_is_running() {
  local prefix="$build_dir/wine/prefix" pid
  for pid in $(pgrep -x 'wineserver(32|64)?' 2>/dev/null || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
      return 0
    fi
  done
  return 1
}

isp_is_running() {
  [ -f "$state_dir/isp.pid" ] && kill -0 "$(cat "$state_dir/isp.pid")" 2>/dev/null
}

# The registry of a machine of the family: Wine's version for the lab's
# programs, and the family's network keys, without values of their own.
family_registry() {
  local family=$1
  echo 'REGEDIT4'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\AppDefaults\Velotune.exe]'
  echo "\"Version\"=\"$family\""
  echo '[HKEY_CURRENT_USER\Software\Wine\AppDefaults\Velotune.exe\DllOverrides]'
  echo '"rasapi32"="native,builtin"'
  echo '[HKEY_CURRENT_USER\Software\Wine\AppDefaults\LabProbe.exe]'
  echo "\"Version\"=\"$family\""
  echo '[HKEY_CURRENT_USER\Software\Wine\AppDefaults\TuneUpHost.exe]'
  echo "\"Version\"=\"$family\""
  case "$family" in
    nt40)
      echo '[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\NetworkCards\1]'
      echo '"ProductName"="NdisWanDialoutIp"'
      echo '"ServiceName"="NdisWan4"'
      echo '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\NdisWan4\Parameters\Tcpip]'
      ;;
    win2k)
      echo '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\NdisWan\Parameters]'
      echo '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\NdisWan\Parameters\Tcpip]'
      echo '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Adapters\NdisWanIp]'
      ;;
    *)
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net\0000]'
      echo '"DriverDesc"="Dial-Up Adapter"'
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net\0000\Ndi\params\IPMTU]'
      echo '"ParamDesc"="IP Packet Size"'
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0000]'
      echo '"DriverDesc"="TCP/IP"'
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]'
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\NWLink\Ndi\params\cachesize]'
      ;;
  esac
}

place_programs() {
  mkdir -p "$program_dir"
  local file
  for file in ui/Velotune.exe sim/ras/rasapi32.dll sim/inetdial/LabInternetDial.dll \
              sim/probe/LabProbe.exe; do
    if [ ! -f "$build_dir/$file" ]; then
      echo "lab: $build_dir/$file is missing (build first)" >&2
      return 1
    fi
    cp -f "$build_dir/$file" "$program_dir/"
  done
  if [ -f "$build_dir/tests/e2e/TuneUpHost.exe" ]; then
    cp -f "$build_dir/tests/e2e/TuneUpHost.exe" "$program_dir/"
  fi
  # The help pages the program opens from its own folder.
  rm -rf "$program_dir/help"
  cp -r "$source_dir/res/help" "$program_dir/help"
}

# The client programs as their installers leave them: the programs and their
# files under clients/, and in the registry where the program finds them.
place_clients() {
  local file
  for file in sim/clients/aol/LabAol.exe sim/clients/netzero/nzStart.exe \
              sim/clients/juno/Juno.exe sim/clients/worldnet/WNConnect.exe; do
    if [ ! -f "$build_dir/$file" ]; then
      echo "lab: $build_dir/$file is missing (build first)" >&2
      return 1
    fi
  done
  rm -rf "$clients_dir"
  mkdir -p "$clients_dir/America Online" "$clients_dir/CompuServe 2000" \
           "$clients_dir/NetZero/bin" "$clients_dir/Juno/Program" "$clients_dir/Juno/USER0001" \
           "$clients_dir/Juno/USER0002" "$clients_dir/Juno/LOGS" "$clients_dir/WorldNet/Programs"
  cp -f "$build_dir/sim/clients/aol/LabAol.exe" "$clients_dir/America Online/"
  cp -f "$build_dir/sim/clients/aol/LabAol.exe" "$clients_dir/CompuServe 2000/"
  cp -f "$build_dir/sim/clients/netzero/nzStart.exe" "$clients_dir/NetZero/"
  # A lab-made stand-in for the dialer's picture library: known contents.
  printf 'Velotune lab jpeg.dll\r\n' >"$clients_dir/NetZero/bin/jpeg.dll"
  cp -f "$build_dir/sim/clients/juno/Juno.exe" "$clients_dir/Juno/Program/"
  local user
  for user in USER0001 USER0002; do
    printf '[Options]\r\nConfirm Web Disconnect=TRUE\r\nConfirm Exit=TRUE\r\n[User]\r\nName=%s\r\n' \
      "$user" >"$clients_dir/Juno/$user/juno.ini"
  done
  cp -f "$build_dir/sim/clients/worldnet/WNConnect.exe" "$clients_dir/WorldNet/Programs/"
  # Every program connects at its first dial unless a test or demo says otherwise.
  printf '[Lab]\r\nLog=%s\r\n' "$(windows_path "$state_dir/clients.log")" >"$clients_ini"
  rm -f "$state_dir/clients.log"
}

# What the configuration wizard writes for the AOL and CompuServe clients:
# their paths and screen names in the program's key. Only with
# --client-profiles, as that key also tells the program it was configured.
client_profiles_registry() {
  local aol_path cs_path key
  aol_path=$(windows_path "$clients_dir/America Online/LabAol.exe")
  cs_path=$(windows_path "$clients_dir/CompuServe 2000/LabAol.exe")
  echo 'REGEDIT4'
  echo
  # The configuration wizard's client paths and screen names.
  key='HKEY_LOCAL_MACHINE\SOFTWARE\Orvalis\Velotune\DialUp Profile'
  echo "[$key\\America Online]"
  echo "\"AOLProgramPath\"=$(reg_text "$aol_path")"
  echo '"DefaultScreenName"="Velo Tuner"'
  echo "[$key\\America Online\\ScreenNames]"
  echo '"Velo Tuner"=""'
  echo '"Second Name"=""'
  echo "[$key\\CompuServe 2000]"
  echo "\"AOLProgramPath\"=$(reg_text "$cs_path")"
  echo '"DefaultScreenName"="CS Tuner"'
  echo "[$key\\CompuServe 2000\\ScreenNames]"
  echo '"CS Tuner"=""'
}

# The registry an installation of each client leaves, for a machine of the family.
clients_registry() {
  local family=$1 program
  echo 'REGEDIT4'
  echo
  for program in LabAol.exe nzStart.exe Juno.exe WNConnect.exe; do
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\$program]"
    echo "\"Version\"=\"$family\""
    # Wine draws their windows: without a window manager, closing a window
    # Wine leaves to one waits two seconds.
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\$program\\X11 Driver]"
    echo '"Managed"="N"'
  done
  # The AOL client's own TCP/IP keys.
  echo '[HKEY_LOCAL_MACHINE\SOFTWARE\America Online\AOL\aolsock]'
  echo '"mtu"=dword:000005dc'
  echo '"aolndi"="1"'
  echo '[HKEY_LOCAL_MACHINE\SOFTWARE\America Online\AOL\AolsockBack]'
  echo '"mtu"=dword:000005dc'
  echo '"aolndi"="1"'
  case "$family" in
    win95|win98|winme)
      # The AOL adapter: its device, its TCP/IP binding and that binding's values.
      echo '[HKEY_LOCAL_MACHINE\Enum\Root\Net\0000]'
      echo '"DeviceDesc"="Dial-Up Adapter"'
      echo '[HKEY_LOCAL_MACHINE\Enum\Root\Net\0001]'
      echo '"DeviceDesc"="AOL adapter"'
      echo '[HKEY_LOCAL_MACHINE\Enum\Root\Net\0002]'
      echo '"DeviceDesc"="AOL Adapter"'
      echo '[HKEY_LOCAL_MACHINE\Enum\Root\Net\0002\Bindings]'
      echo '"VREDIR\\0000"=""'
      echo '"MSTCP\\0004"=""'
      echo '[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0004]'
      echo '"Driver"="NetTrans\\0005"'
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0005]'
      echo '"DriverDesc"="TCP/IP"'
      echo '"MaxMTU"="1500"'
      echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0005\Ndi\params\IPMTU]'
      echo '@="1500"'
      ;;
  esac
  echo '[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\nzStart.Exe]'
  echo "@=$(reg_text "$(windows_path "$clients_dir/NetZero/nzStart.exe")")"
  echo '[HKEY_LOCAL_MACHINE\SOFTWARE\Juno\Juno]'
  echo "\"exe\"=$(reg_text "$(windows_path "$clients_dir/Juno/Program/Juno.exe")")"
  echo '[HKEY_LOCAL_MACHINE\SOFTWARE\AT&T\WNClient]'
  echo "\"Path\"=$(reg_text "$(windows_path "$clients_dir/WorldNet")")"
  local profile
  for profile in Default Office Travel; do
    echo "[HKEY_LOCAL_MACHINE\\SOFTWARE\\AT&T\\WNClient\\Global Data\\$profile]"
    echo '"Launch IE After Connect"=dword:00000001'
    echo '"Prompt For Disconnect"=dword:00000001'
    echo '"Hide Status After Connect"=dword:00000000'
  done
}

write_env() {
  local family=$1 phonebook=$2 time_scale=$3
  {
    echo "export VELOTUNE_LAB_FAMILY='$family'"
    echo "export VELOTUNE_LAB_PHONEBOOK='$(windows_path "$phonebook")'"
    echo "export VELOTUNE_INTERNET_DIAL='LabInternetDial.dll'"
    echo "export VELOTUNE_LAB_CLIENTS='$(windows_path "$clients_ini")'"
    echo "export WINEDLLOVERRIDES='mscoree,mshtml=;rasapi32=n,b'"
    if [ -n "$time_scale" ]; then echo "export VELOTUNE_TIME_SCALE='$time_scale'"; fi
  } >"$env_file"
}

start() {
  local family=win98 phonebook="$source_dir/sim/ras/lab-phonebook.pbk" time_scale=""
  local client_profiles=no
  while [ $# -gt 0 ]; do
    case "$1" in
      --family) family=${2:?}; shift 2 ;;
      --phonebook) phonebook=$(cd "$(dirname "${2:?}")" && pwd)/$(basename "$2"); shift 2 ;;
      --time-scale) time_scale=${2:?}; shift 2 ;;
      --client-profiles) client_profiles=yes; shift ;;
      --) shift; break ;;
      *) echo "lab: unknown option $1" >&2; return 2 ;;
    esac
  done
  case "$family" in
    win95|win98|winme|nt40|win2k) ;;
    *) echo "lab: unknown family $family (win95, win98, winme, nt40, win2k)" >&2; return 2 ;;
  esac
  [ -f "$phonebook" ] || { echo "lab: no phone book $phonebook" >&2; return 1; }

  mkdir -p "$state_dir"
  place_programs
  place_clients
  # Starting again (another family, say) keeps what the first start owns.
  touch "$started_file"
  if ! wine_is_running; then echo wine >>"$started_file"; fi
  "$scripts/wine-env.sh" start "$build_dir" >/dev/null

  family_registry "$family" >"$state_dir/family.reg"
  "$scripts/wine-run.sh" "$build_dir" regedit /S "$(windows_path "$state_dir/family.reg")" \
    </dev/null >"$state_dir/regedit.log" 2>&1
  clients_registry "$family" >"$state_dir/clients.reg"
  "$scripts/wine-run.sh" "$build_dir" regedit /S "$(windows_path "$state_dir/clients.reg")" \
    </dev/null >>"$state_dir/regedit.log" 2>&1
  if [ "$client_profiles" = yes ]; then
    client_profiles_registry >"$state_dir/client-profiles.reg"
    "$scripts/wine-run.sh" "$build_dir" regedit /S "$(windows_path "$state_dir/client-profiles.reg")" \
      </dev/null >>"$state_dir/regedit.log" 2>&1
  fi
  cp -f "$phonebook" "$state_dir/phonebook.pbk"
  write_env "$family" "$state_dir/phonebook.pbk" "$time_scale"

  if ! isp_is_running; then
    echo isp >>"$started_file"
    "$scripts/lab-isp.sh" start "$build_dir" "$@" >/dev/null
  fi
  echo "lab: ready ($family, ISP $(cat "$state_dir/isp.address"), programs in $program_dir)"
}

stop() {
  if [ -f "$started_file" ] && grep -qx isp "$started_file"; then
    "$scripts/lab-isp.sh" stop "$build_dir" >/dev/null
  fi
  if [ -f "$started_file" ] && grep -qx wine "$started_file"; then
    "$scripts/wine-env.sh" stop "$build_dir" >/dev/null
  fi
  rm -f "$started_file"
  echo "lab: stopped"
}

# Runs a program inside the lab; a bare name is one of the lab's programs.
run() {
  [ -f "$env_file" ] || { echo "lab: not started" >&2; return 1; }
  # shellcheck disable=SC1090
  source "$env_file"
  local program=${1:-Velotune.exe}
  [ $# -gt 0 ] && shift
  case "$program" in */*) ;; *) program="$program_dir/$program" ;; esac
  cd "$(dirname "$program")"
  exec "$scripts/wine-run.sh" "$build_dir" "$program" "$@"
}

# A complete tune-up by the lab host, in a lab of its own making when none runs.
tuneup() {
  local family=win98 mode=auto type=1 seed=7 noise=2 pace=0.1 time_scale=0.02 provider=1 disturb=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --disturb) disturb=(--disturb "${2:?}"); shift 2 ;;
      --family) family=${2:?}; shift 2 ;;
      --mode) mode=${2:?}; shift 2 ;;
      --type) type=${2:?}; shift 2 ;;
      --seed) seed=${2:?}; shift 2 ;;
      --noise) noise=${2:?}; shift 2 ;;
      --pace-scale) pace=${2:?}; shift 2 ;;
      --time-scale) time_scale=${2:?}; shift 2 ;;
      --provider) provider=${2:?}; shift 2 ;;
      *) echo "lab: unknown tuneup option $1" >&2; return 2 ;;
    esac
  done
  [ -f "$build_dir/tests/e2e/TuneUpHost.exe" ] ||
    { echo "lab: $build_dir/tests/e2e/TuneUpHost.exe is missing (build it first)" >&2; return 1; }
  local owned=""
  if [ ! -f "$started_file" ]; then owned=yes; fi
  local profiles=()
  case "$provider" in 2|3) profiles=(--client-profiles) ;; esac
  start --family "$family" --time-scale "$time_scale" "${profiles[@]}" >/dev/null
  "$scripts/lab-isp.sh" control "$build_dir" \
    "config?seed=$seed&noise=$noise&scale=$pace" >/dev/null
  local status=0
  ( run TuneUpHost.exe --mode "$mode" --type "$type" --provider "$provider" \
      --out "$(windows_path "$state_dir")" "${disturb[@]}" ) ||
    status=$?
  if [ -f "$state_dir/tuneup-host.bmp" ] && command -v convert >/dev/null 2>&1; then
    convert "$state_dir/tuneup-host.bmp" "$state_dir/tuneup-host.png" 2>/dev/null || true
  fi
  # The next user of the lab finds the server's defaults again.
  "$scripts/lab-isp.sh" control "$build_dir" "config?seed=0&noise=2&scale=1" >/dev/null || true
  if [ -n "$owned" ]; then stop >/dev/null; fi
  return "$status"
}

case "$command" in
  start) start "$@" ;;
  tuneup) tuneup "$@" ;;
  stop) stop ;;
  run) run "$@" ;;
  env) cat "$env_file" ;;
  status) run LabProbe.exe ;;
  *) echo "lab: unknown command $command" >&2; exit 2 ;;
esac
