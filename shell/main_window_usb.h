#pragma once
// Finding the register's USB virtual serial port among the present ports, and restarting the USB
// device behind it when the link hangs.
#include <string>
#include <vector>

#include "platform/devices/devices.h"

// Results of the search.
constexpr int UsbPortFound = 0;
constexpr int UsbNotThisDevice = -1; // the device at this index is another one, or an error
constexpr int UsbNoMoreDevices = -2; // no such class, or the index is past the last device

inline const std::string UsbPortClass = "Ports";
inline const std::string UsbPortFriendlyName = "STMicroelectronics Virtual COM Port";

// The loops that walk the device indexes stop here even when no result ends them.
constexpr int UsbIndexLimit = 256;

// Where the devices are looked up: KALTOR_SYSFS_ROOT when set, else "/sys"; tests may set another.
std::string SysfsRoot();
void SetSysfsRoot(const std::string& root);

// The text between the first "(" and the first ")" after it; empty when there is none.
std::string ComNameOf(const std::string& friendlyName);

// The device at index of the class when its friendly name contains friendlyName: UsbPortFound,
// with comName and device filled; else UsbNotThisDevice or UsbNoMoreDevices.
int FindUsbPort(const DeviceTree& tree, const std::string& className, const std::string& friendlyName,
                int index, std::string& comName, SerialDevice* device = nullptr);

// Switches the device off and on again. Every stage that fails gives its message, in order; a
// failure does not stop the later stages.
std::vector<std::string> RestartUsbDevice(const DeviceTree& tree, const SerialDevice& device);
