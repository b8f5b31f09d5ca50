#include "platform/win/SystemDriverDevice.h"

#include "platform/win/Win32DriverDevice.h"

std::unique_ptr<IDriverDevice> CreateSystemDriverDevice() { return std::make_unique<CWin32DriverDevice>(); }
