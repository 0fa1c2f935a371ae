// Identifiers shared by the resource script and the code.
#pragma once

#define IDR_TRAY_MENU 1199

#define IDM_EXIT 1200
#define IDM_OPTIONS 1201
#define IDM_BROWSE 1204
#define IDM_ADD_FAVOURITE 1205
#define IDM_COMMENT 1206
#define IDM_DRAW_FAVOURITES 1207
#define IDM_DRAW_CATEGORIES 1208
#define IDM_DRAW_ADDED 1209
#define IDM_DRAW_ALL 1210
#define IDM_DRAW_SUPER 1211
