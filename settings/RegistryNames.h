// Every key and value name of the program's registry key, and the few values
// of other programs it reads or writes. All paths are under HKEY_LOCAL_MACHINE.
#pragma once

namespace regnames {

// The program key and its subkeys.
inline constexpr char kProgramKey[] = "SOFTWARE\\Orvalis\\Velotune";
inline constexpr char kDialUpProfile[] = "\\DialUp Profile";
inline constexpr char kBackupRegistry[] = "\\Backup Registry";
inline constexpr char kAppSettings[] = "\\App Settings";
inline constexpr char kBestSettings[] = "\\Best Settings";
inline constexpr char kOptions[] = "\\Options";
inline constexpr char kScreenNames[] = "\\ScreenNames";

// "\DialUp Profile"
inline constexpr char kDialUpType[] = "DialUpType";
inline constexpr char kTuneUpType[] = "TuneUp Type";
inline constexpr char kConversionDone[] = "DialUp Registry Conversion";

// Provider and profile keys.
inline constexpr char kDefaultProfile[] = "Default Profile";
inline constexpr char kAccess[] = "Access";
inline constexpr char kDefaultDialerPath[] = "Default Dialer Path";
inline constexpr char kDialerPath[] = "Dialer Path";
inline constexpr char kLogin[] = "Login";
inline constexpr char kPassword[] = "Password";
inline constexpr char kUrl[] = "URL";
inline constexpr char kRedial[] = "Redial";
inline constexpr char kAolProgramPath[] = "AOLProgramPath";
inline constexpr char kDefaultScreenName[] = "DefaultScreenName";

// "\Backup Registry"
inline constexpr char kBackupStatus[] = "BackupStatus";

// "\App Settings": the main window rectangle.
inline constexpr char kLeft[] = "left";
inline constexpr char kTop[] = "top";
inline constexpr char kRight[] = "right";
inline constexpr char kBottom[] = "bottom";

// "\Options"
inline constexpr char kShowDialer[] = "ShowVTDialer";
inline constexpr char kSingleClickDial[] = "SingleClickDial";
inline constexpr char kInternetDial[] = "InternetDial";

// The per-user key of the application object (recent-file list only).
inline constexpr char kApplicationUserKey[] = "Local AppWizard-Generated Applications";

// Values of other programs.
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kStartupValue[] = "Velotune";
inline constexpr char kProgramFileName[] = "Velotune.exe";
inline constexpr char kInternetExplorerKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
inline constexpr char kInternetExplorerVersion[] = "Version";
inline constexpr char kJunoKey[] = "SOFTWARE\\Juno\\Juno";
inline constexpr char kJunoProgram[] = "exe";
inline constexpr char kNetZeroAppPathKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\nzStart.Exe";
inline constexpr char kAttClientKey[] = "SOFTWARE\\AT&T\\WNClient";
inline constexpr char kAttClientFolder[] = "Path";
inline constexpr char kAttProgramInFolder[] = "\\Programs\\WNConnect.exe";
inline constexpr char kAttGlobalDataKey[] = "SOFTWARE\\AT&T\\WNClient\\Global Data";
inline constexpr char kAttHideStatus[] = "Hide Status After Connect";
inline constexpr char kAttLaunchBrowser[] = "Launch IE After Connect";
inline constexpr char kAttPromptDisconnect[] = "Prompt For Disconnect";

}  // namespace regnames
