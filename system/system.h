// System integration: the start-with-Windows entry and the "kolorowisko:" URL scheme
// (registration_win.h, its command line in url_scheme_command.h), and the program's icon in the
// notification area (notification_icon_win.h).
#pragma once

#include "system/registration_win.h"
#include "system/url_scheme_command.h"
