// System integration: the start-with-Windows entry and the "kolorowisko:" URL scheme
// (registration_win.h, its command line in url_scheme_command.h), the program's icon in the
// notification area (notification_icon_win.h), and what the machine is doing: full-screen,
// battery saver, a metered connection, the session's lock (machine_state_win.h, its Windows-free
// rules in machine_state.h).
#pragma once

#include "system/registration_win.h"
#include "system/url_scheme_command.h"
