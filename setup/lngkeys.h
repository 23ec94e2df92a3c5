#pragma once

#include <array>

/**
 * Every language key the settings application looks up, in one list: the
 * windows name them through these constants, and both shipped language files
 * must hold each of them (tests/setupfilestest.cpp checks All against the files).
 */
namespace LngKeys {

inline constexpr char AppTitle[] = "KestrowPlugin";
inline constexpr char RunningState[] = "FT_RUNNING_STATE";
inline constexpr char RunningOn[] = "FT_CUR_STATE_ON";
inline constexpr char RunningOff[] = "FT_CUR_STATE_OFF";
inline constexpr char AutorunState[] = "FT_AUTORUN_STATE";
inline constexpr char AutorunOn[] = "FT_AUTORUN_STATE_ON";
inline constexpr char AutorunOff[] = "FT_AUTORUN_STATE_OFF";
inline constexpr char RefreshScreen[] = "FT_REFRESH_SCREEN";
inline constexpr char ForceRefresh[] = "FT_FORCE_REFRESH_SCREEN";
inline constexpr char RefreshWallpaper[] = "FT_REFRESH_WALLPAPER";
inline constexpr char RebootApp[] = "FT_REBOOT_APP";
inline constexpr char ChangeTheme[] = "FT_CHG_THEME";
inline constexpr char Theme[] = "FT_THEME";
inline constexpr char Author[] = "FT_AUTHOR";
inline constexpr char Option[] = "FT_OPTION";
inline constexpr char Back[] = "FT_BACK";
inline constexpr char DockBar[] = "FT_DOCKBAR";
inline constexpr char Event[] = "FT_EVENT";
inline constexpr char About[] = "FT_ABOUT";
inline constexpr char InputDate[] = "FT_INPUT_DATE";
inline constexpr char InputEvent[] = "FT_INPUT_EVENT";
inline constexpr char Add[] = "FT_ADD";
inline constexpr std::array<const char *, 10> Slots
    = { "FT_1", "FT_2", "FT_3", "FT_4", "FT_5", "FT_6", "FT_7", "FT_8", "FT_9", "FT_10" };
inline constexpr char Preview[] = "FT_PREVIEW";
inline constexpr char ConfirmUse[] = "FT_CONFIRM_USE";
inline constexpr char ThemePreview[] = "FT_THEME_PREVIEW";
/** Countdown texts: the keys are the Chinese texts themselves (%1 the event, %2 the days). */
inline constexpr char DaysAhead[] = "距离 %1 还有 %2天";
inline constexpr char DaysPassed[] = "距离 %1 已过 %2天";
/** Failure popups: the title, then what could not be done (the reason follows the text). */
inline constexpr char NotDone[] = "FT_NOT_DONE";
inline constexpr char FailStart[] = "FT_FAIL_START";
inline constexpr char FailStop[] = "FT_FAIL_STOP";
inline constexpr char FailAutorunOn[] = "FT_FAIL_AUTORUN_ON";
inline constexpr char FailAutorunOff[] = "FT_FAIL_AUTORUN_OFF";
inline constexpr char FailReload[] = "FT_FAIL_RELOAD";
inline constexpr char FailRestart[] = "FT_FAIL_RESTART";
inline constexpr char FailSkin[] = "FT_FAIL_SKIN";
inline constexpr char FailEvent[] = "FT_FAIL_EVENT";
inline constexpr char FailDock[] = "FT_FAIL_DOCK";
inline constexpr char SkinGone[] = "FT_SKIN_GONE";

/** Every key above, the ten slot keys included. */
inline constexpr std::array<const char *, 48> All = { AppTitle, RunningState, RunningOn, RunningOff,
    AutorunState, AutorunOn, AutorunOff, RefreshScreen, ForceRefresh, RefreshWallpaper, RebootApp,
    ChangeTheme, Theme, Author, Option, Back, DockBar, Event, About, InputDate, InputEvent, Add, Slots[0],
    Slots[1], Slots[2], Slots[3], Slots[4], Slots[5], Slots[6], Slots[7], Slots[8], Slots[9], Preview,
    ConfirmUse, ThemePreview, DaysAhead, DaysPassed, NotDone, FailStart, FailStop, FailAutorunOn,
    FailAutorunOff, FailReload, FailRestart, FailSkin, FailEvent, FailDock, SkinGone };

} // namespace LngKeys
