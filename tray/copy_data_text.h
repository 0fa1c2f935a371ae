// The text of a WM_COPYDATA block. Windows-free.
#pragma once

#include <cstddef>
#include <string>

// The block comes from another process, so only its size bytes are ever read: the text ends at
// the first zero byte or at the block's end, whichever comes first. A missing block is the empty
// text.
std::string CopyDataText(const void* data, std::size_t size);
