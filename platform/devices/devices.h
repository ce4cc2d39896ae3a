#pragma once
// Serial devices present on the machine, read from sysfs. The roots are parameters so that
// tests can use a small fake tree.
#include <optional>
#include <string>
#include <vector>

struct SerialDevice {
    std::string PortName;     // "ttyACM0"
    std::string FriendlyName; // "STMicroelectronics Virtual COM Port (ttyACM0)" for the register's USB port
    std::string UsbDevice;    // sysfs folder of the USB device behind the port; empty when not USB
};

enum class DeviceStateResult { Ok, CannotPrepare, CannotChange };

class DeviceTree {
public:
    explicit DeviceTree(std::string sysfsRoot = "/sys");

    // Serial ports present, in a stable order: real ttyS ports, then ttyUSB, ttyACM and the rest
    // (ttyAMA, rfcomm...), each group in number order (ttyUSB2 before ttyUSB10). Friendly names:
    // the register's USB port (0483h:5740h) as its Windows driver names it, other USB ports after
    // their manufacturer and product strings, the rest "Communications Port (ttyS0)".
    std::vector<SerialDevice> SerialPorts() const;

    // The present devices of a device class; only "Ports" (any case) is known, others give nullopt.
    std::optional<std::vector<SerialDevice>> DevicesOfClass(const std::string& className) const;

    // Switches the USB device behind a port off or on (its "authorized" attribute): CannotPrepare
    // when the port has no USB device in this tree or the attribute cannot be opened for writing,
    // CannotChange when the kernel refuses the value.
    DeviceStateResult SetEnabled(const SerialDevice& device, bool enabled) const;

private:
    std::string root_;
};
