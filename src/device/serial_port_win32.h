// The Windows SerialPort over a given set of communications calls: the system's (what
// MakeSerialPort gives on Windows) or a test's recording stand-in.
#pragma once

#include <memory>

#include "device/serial_port.h"
#include "device/win32_comm_api.h"

namespace tavrix {

std::unique_ptr<SerialPort> MakeWin32SerialPort(const Cancellation& cancellation,
                                                Win32CommApi& api);

}  // namespace tavrix
