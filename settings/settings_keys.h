// The keys of config.dat, each named once. A mistyped literal would silently read the default;
// a mistyped name does not compile. Lines marked "QUIRK:" keep a spelling that something outside
// this code relies on: do not correct it.
#pragma once

constexpr char kAutoChangeKey[] = "AUTO_CHANGE";          // flag: the timer changes the wallpaper
constexpr char kAutoStartKey[] = "AUTO_START";            // flag: the Run value is written at start
constexpr char kChangeIntervalKey[] = "CHANGE_INTERVAL";  // minutes, as typed into the page
constexpr char kCurrentIdKey[] = "CURRENT_ID";            // the service's id of the wallpaper shown
constexpr char kCurrentNameKey[] = "CURRENT_NAME";        // its picture name
constexpr char kUserKey[] = "USER";                       // the account's user name
constexpr char kCategoryKey[] = "CATEGORY";               // the automatic change's pool code
constexpr char kPasswordKey[] = "PASSWORD";               // always written empty
// QUIRK: spelt so in every config.dat already written; a corrected key would log the user out.
constexpr char kAuthorizationKey[] = "AUTORIZATION";
// QUIRK: spelt so in every config.dat already written; a corrected key would log the user out.
constexpr char kLoggedInKey[] = "LOGEDIN";
constexpr char kSaveKey[] = "SAVE";  // flag: the authorisation code goes with pool requests
// flag: with several screens, each draws its own wallpaper from the pool (missing counts as off)
constexpr char kSeparateScreensKey[] = "SEPARATE_SCREENS";
