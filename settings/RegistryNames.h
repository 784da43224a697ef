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
inline constexpr char kAmericaOnlineSubkey[] = "\\America Online";
inline constexpr char kCompuServeSubkey[] = "\\CompuServe 2000";

// "\Backup Registry"
inline constexpr char kBackupStatus[] = "BackupStatus";
// DWORD, set while values other than the user's may be in effect: bit 1 the
// TCP/IP values, bit 2 the AOL client's and adapter's. Absent: the user's own.
inline constexpr char kRestorePending[] = "Restore Pending";

// "\Best Settings": one value per parameter, named by a number.
inline constexpr char kBestMtu[] = "14";
inline constexpr char kBestRwin[] = "12";
inline constexpr char kBestTtl[] = "13";
inline constexpr char kBestCacheSize[] = "11";

// "\App Settings": the main window rectangle.
inline constexpr char kLeft[] = "left";
inline constexpr char kTop[] = "top";
inline constexpr char kRight[] = "right";
inline constexpr char kBottom[] = "bottom";

// "\Options"
inline constexpr char kShowDialer[] = "ShowVTDialer";
inline constexpr char kSingleClickDial[] = "SingleClickDial";
inline constexpr char kInternetDial[] = "InternetDial";

// Copies of the AOL client's and adapter's values, under "\Backup Registry".
inline constexpr char kAolBackup[] = "\\AOL";
inline constexpr char kAolBackupAdapters[] = "\\Enum\\Root\\Net";
inline constexpr char kAolBackupBindings[] = "\\NetTrans";
inline constexpr char kAolBackupBindingIpMtu[] = "\\Ndi\\Params\\IPMTU";
// DWORD 1 in "\Backup Registry\AOL\NetTrans" when every AOL binding has a copy
// there (one without values: the binding had none); older backups copied only
// bindings at indexes beginning "00" that had values.
inline constexpr char kAolBackupEveryBinding[] = "Every Binding";

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

// Where Windows keeps its TCP/IP settings: the services key, spelled as the
// Windows 9x family and as the NT family spell it (the same 33 characters).
inline constexpr char kServices9x[] = "System\\CurrentControlSet\\Services";
inline constexpr char kServicesNt[] = "SYSTEM\\CurrentControlSet\\Services";
inline constexpr char kClassNet[] = "\\Class\\Net";
inline constexpr char kClassNetTrans[] = "\\Class\\NetTrans";
inline constexpr char kDriverDesc[] = "DriverDesc";
inline constexpr char kIpMtu[] = "IPMTU";
inline constexpr char kMaxMtu[] = "MaxMTU";
inline constexpr char kMaxMss[] = "MaxMSS";
inline constexpr char kNdiParamsIpMtu[] = "\\Ndi\\params\\IPMTU";
inline constexpr char kDialUpAdapterDesc[] = "Dial-Up Adapter";
inline constexpr char kTcpipBindingDesc[] = "TCP/IP";
inline constexpr char kVxdMstcp[] = "\\VxD\\MSTCP";
inline constexpr char kCacheSize[] = "\\VxD\\NWLink\\Ndi\\params\\cachesize";
inline constexpr char kTcpip[] = "\\Tcpip";
inline constexpr char kTcpipParameters[] = "\\Tcpip\\Parameters";
inline constexpr char kTcpipParametersTcpip[] = "\\Tcpip\\Parameters\\Tcpip";
inline constexpr char kTcpipNdisWanIp[] = "\\Tcpip\\Parameters\\Adapters\\NdisWanIp";
inline constexpr char kNdisWanParameters[] = "\\NdisWan\\Parameters";
inline constexpr char kNdisWanParametersTcpip[] = "\\NdisWan\\Parameters\\Tcpip";
inline constexpr char kServiceParametersTcpip[] = "\\Parameters\\Tcpip";
inline constexpr char kNetworkCards[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
inline constexpr char kProductName[] = "ProductName";
inline constexpr char kServiceName[] = "ServiceName";
inline constexpr char kNdisWanDialoutIp[] = "NdisWanDialoutIp";
// TCP/IP value names.
inline constexpr char kMtu[] = "MTU";
inline constexpr char kTcpWindowSize[] = "TcpWindowSize";
inline constexpr char kDefaultRcvWindow[] = "DefaultRcvWindow";
inline constexpr char kDefaultTtl[] = "DefaultTTL";
inline constexpr char kTcpRecvSegmentSize[] = "TcpRecvSegmentSize";
inline constexpr char kDefault[] = "default";

// The America Online client's own key and its adapter's device keys (Windows 9x).
inline constexpr char kAolClientKey[] = "SOFTWARE\\America Online\\AOL";
inline constexpr char kAolSock[] = "aolsock";
inline constexpr char kAolSockBack[] = "AolsockBack";
inline constexpr char kAolMtu[] = "mtu";
inline constexpr char kAolNdi[] = "aolndi";
inline constexpr char kEnumRootNet[] = "Enum\\Root\\Net";
inline constexpr char kDeviceDesc[] = "DeviceDesc";
inline constexpr char kAolAdapterDesc[] = "AOL Adapter";
inline constexpr char kAolDialUpAdapterDesc[] = "AOL Dial-Up Adapter";
inline constexpr char kBindings[] = "\\Bindings";
inline constexpr char kEnumNetworkMstcp[] = "Enum\\Network\\MSTCP";
inline constexpr char kMstcp[] = "MSTCP";
inline constexpr char kDriver[] = "Driver";
inline constexpr char kNetTrans[] = "NetTrans";

}  // namespace regnames
