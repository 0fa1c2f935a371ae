// The read loop shared by every transfer. Windows-free.
#pragma once

#include <cstddef>

#include "net/body_sink.h"
#include "net/http_source.h"
#include "net/idle_bound.h"

// Reads source into sink, size bytes at a time through buffer, until the body ends. True only
// when the body arrived whole: it ended on a successful empty read, the sink took every part, and
// it is as long as the response declared. A read that fails is tried again, a few times in a row
// at most. Each read that brings bytes notes progress on watch; once the caller has given up,
// reading stops.
bool ReadWholeBody(HttpSource& source, char* buffer, std::size_t size, BodySink& sink,
                   IdleWatch& watch);
