#pragma once
// A small sysfs tree in a temporary folder: tty ports, each optionally behind a USB device.
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class FakeSysfs {
public:
    FakeSysfs() {
        root_ = std::filesystem::temp_directory_path() /
                ("kaltor-sysfs-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::remove_all(root_); // left by a test that crashed under the same process number
        std::filesystem::create_directories(root_ / "class/tty");
    }
    ~FakeSysfs() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    std::string Root() const { return root_.string(); }

    // A tty behind USB device usbName (e.g. "1-1") with the given identity; returns the USB device folder.
    std::filesystem::path AddUsbPort(const std::string& tty, const std::string& usbName,
                                     const std::string& vendor, const std::string& product) {
        const auto usb = root_ / "devices/pci0000:00/usb1" / usbName;
        const auto interface = usb / (usbName + ":1.0");
        const auto ttyFolder = interface / "tty" / tty;
        std::filesystem::create_directories(ttyFolder);
        Write(usb / "idVendor", vendor + "\n");
        Write(usb / "idProduct", product + "\n");
        Write(usb / "manufacturer", "Maker\n");
        Write(usb / "product", "Serial\n");
        Write(usb / "authorized", "1\n");
        Write(ttyFolder / "dev", "166:0\n");
        std::filesystem::create_directory_symlink(interface, ttyFolder / "device");
        std::filesystem::create_directory_symlink(ttyFolder, root_ / "class/tty" / tty);
        return usb;
    }

    static void Write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file) << text;
    }
    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file);
        std::string text;
        std::getline(in, text);
        return text;
    }

private:
    std::filesystem::path root_;
    static inline int counter_ = 0;
};
