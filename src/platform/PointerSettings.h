// Pointer-settings port: the Windows mouse acceleration and speed
// (SystemParametersInfoW with SPI_SETMOUSE and SPI_SETMOUSESPEED, each followed
// by WM_WININICHANGE to the main window).
#pragma once

#include <array>
#include <vector>

class IPointerSettings {
public:
    virtual ~IPointerSettings() = default;
    // Thresholds and acceleration: {6, 10, 1} with enhanced precision, {0, 0, 0} without.
    virtual void SetMouse(const std::array<int, 3>& values) = 0;
    virtual void SetMouseSpeed(int speed) = 0;
};

class CRecordingPointerSettings : public IPointerSettings {
public:
    void SetMouse(const std::array<int, 3>& values) override { mouse.push_back(values); }
    void SetMouseSpeed(int speed) override { speeds.push_back(speed); }
    std::vector<std::array<int, 3>> mouse;
    std::vector<int> speeds;
};
