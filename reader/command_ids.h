// Command identifiers of the main window's menu, bars and buttons, and its
// own window messages and timers.
#pragma once

#include "platform/window/window_types.h"

constexpr UINT ID_NEXT_PAGE = 32786;
constexpr UINT ID_PREV_PAGE = 32787;
constexpr UINT ID_OPEN = 32790;
constexpr UINT ID_SPEAK = 32793;
constexpr UINT ID_PAUSE = 32794;
constexpr UINT ID_STOP = 32795;
constexpr UINT ID_SETTINGS = 32803;
constexpr UINT ID_FULL_SCREEN = 32804;
constexpr UINT ID_TOOLBAR = 32805;
constexpr UINT ID_FIND = 32806;
constexpr UINT ID_FIND_NEXT = 32807;
constexpr UINT ID_ADD_BOOKMARK = 32808;
constexpr UINT ID_BOOKMARKS = 32809;
constexpr UINT ID_MARK_READ = 32816;
constexpr UINT ID_MARK_UNREAD = 32817;
constexpr UINT ID_LOCK = 32819;
constexpr UINT ID_GO_TO_PAGE = 32821;
constexpr UINT ID_ABOUT = 32822;
constexpr UINT ID_EXIT = 32823;
// "Mru1".."Mru10": the open document, then entries 1-9.
constexpr UINT ID_RECENT_FIRST = 32824;
constexpr UINT ID_RECENT_LAST = 32833;
constexpr UINT ID_SET_READ_MARK = 32834;
constexpr UINT ID_CONVERT = 32835;
constexpr UINT ID_USER_STRESS_BASE = 32837;
constexpr UINT ID_SPEAK_CLIPBOARD = 32838;
constexpr UINT ID_SPEAK_USER_TEXT = 32839;

// The engine's notification (WM_USER + 1).
constexpr UINT WM_ENGINE_NOTIFY = 0x401;
// The event types the reader asks the engine for.
constexpr UINT kEngineEventMask = 0x3F;

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kKeepAwakeTimer = 2;
// The wait of a Speak for the end of stopped speech.
constexpr UINT_PTR kSpeechWaitTimer = 3;

// Resources.
constexpr UINT IDD_READER = 102;
constexpr UINT IDR_MAIN_MENU = 129;
constexpr UINT IDD_ABOUT = 184;
// Index of the "Последние документы" submenu in the menu's popup.
constexpr size_t kRecentSubmenuIndex = 10;
