#pragma once
// Ids of the launcher's string table (resources/launcher, English and Japanese).
namespace launcher {

inline constexpr unsigned kIdsVersion = 102;      // "Orvex Start Menu Ver2.4.1"
inline constexpr unsigned kIdsAboutNotice = 103;  // second line of the About box
// The information file, relative to the launcher's folder. The folder already
// ends with a backslash; the path keeps the doubled one.
inline constexpr unsigned kIdsLauncherInfoFile = 104;
inline constexpr unsigned kIdsReaderQuestion = 105;
inline constexpr unsigned kIdsReaderDownload = 106;
inline constexpr unsigned kIdsNoFile = 107;
inline constexpr unsigned kIdsNoAssociation = 108;
inline constexpr unsigned kIdsLackOfMemory = 109;
inline constexpr unsigned kIdsPermissionDenied = 110;
inline constexpr unsigned kIdsSharingViolation = 111;
inline constexpr unsigned kIdsUnknownError = 112;
inline constexpr unsigned kIdsNeedWindowsInstaller = 113;  // "%s": the item's title
inline constexpr unsigned kIdsWindowsInstallerSetup = 114;
inline constexpr unsigned kIdsUninstallOther = 115;
inline constexpr unsigned kIdsAboutCaption = 116;
inline constexpr unsigned kIdsSetupFailed = 117;  // "%s": the item's title, "%u": exit code

}  // namespace launcher
