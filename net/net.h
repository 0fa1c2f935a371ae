// HTTP transfer: blocking GET requests over WinINet (fetch_win.h), each with its own internet
// session, and the service's addresses (service_address.h, host_address.h). The read loop, the
// idle bound, the image body's rules and the answers refused for their security
// (secure_transfer.h) beside them are Windows-free.
#pragma once

#include "net/fetch_win.h"
#include "net/service_address.h"
