// The driver device the program uses: the kernel driver (\\.\hxkbms and
// SetupAPI) on any Windows machine, or the virtual mouse process when the
// environment says Q7T_DEVICE=virtual.
#pragma once

#include <memory>

#include "platform/DriverDevice.h"

// Whether the environment says Q7T_DEVICE=virtual (letters in any case).
bool UseVirtualDevice();

std::unique_ptr<IDriverDevice> CreateSystemDriverDevice();
