#pragma once

#include "PortSlots.h"
#include "SerialDevice.h"

#include <memory>

// The serial ports of the machine the program runs on, in these slots.
std::unique_ptr<SerialPorts> systemSerialPorts(const PortSlots& portSlots);
