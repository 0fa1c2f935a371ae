// The start-up argument: how a link of the "kolorowisko:" scheme, a wallpaper number or a pool
// code reaches the program. Windows-free.
#pragma once

#include <string>

#include "tray/request.h"

enum class ArgumentKind { Empty, Numeric, Link };

// Erases the first "kolorowisko:" (case-sensitive, anywhere) and then every double quote.
std::string NormaliseArgument(std::string text);

// Numeric: every non-space character is a digit or "-". Empty: no characters. Link: the rest.
ArgumentKind ClassifyArgument(const std::string& text);

// The value of a numeric argument, as atoi reads it ("12 34" is 12, "-" is 0).
int NumericArgumentValue(const std::string& text);

// What a normalised argument asks for: the empty one the settings window, a number a pool or a
// wallpaper (0 is an id like any other here), the rest a link.
Request RequestFromArgument(const std::string& text);
