#pragma once
// Texts the launcher takes from its string table. Until the resource table
// carries them, these are the values of each language's entry.
namespace launcher {

// String 104: the information file, relative to the launcher's folder. The
// folder already ends with a backslash; the path keeps the doubled one.
inline constexpr unsigned kIdsLauncherInfoFile = 104;
inline constexpr char16_t kLauncherInfoFileEnglish[] = u"\\LauncherInfo\\LauncherInfo_EN.xml";
inline constexpr char16_t kLauncherInfoFileJapanese[] = u"\\LauncherInfo\\LauncherInfo_JA.xml";

}  // namespace launcher
