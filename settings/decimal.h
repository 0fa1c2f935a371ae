// Decimal text to int by the runtime's atoi rules: leading white space, an optional sign, digits
// up to the first other character, no digits gives 0. Out-of-range values are clamped to the int
// range, as the Windows runtime does, so that every build reads a number the same way.
#pragma once

#include <string>

int ReadDecimal(const std::string& text);
