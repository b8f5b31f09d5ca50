// Function type codes of a button binding. The device code that each type
// sends to the mouse lives with the write sequence; the display name of each
// type comes from the text table (FunctionName).
#pragma once

#include <cstdint>

namespace FunctionType {
constexpr std::uint32_t Click = 1;
constexpr std::uint32_t Menu = 2;
constexpr std::uint32_t Middle = 4;
constexpr std::uint32_t Combination = 5;
constexpr std::uint32_t Macro = 6;
constexpr std::uint32_t Forward = 8;      // side button, device button code 0xF4
constexpr std::uint32_t ScrollUp = 11;
constexpr std::uint32_t OneKeyStart = 12; // named only
constexpr std::uint32_t Back = 16;        // side button, device button code 0xF3
constexpr std::uint32_t AdvancedAction = 19;
constexpr std::uint32_t ScrollDown = 22;
constexpr std::uint32_t MediaPlayPause = 32;
constexpr std::uint32_t MediaStop = 33;
constexpr std::uint32_t MediaPrevious = 34;
constexpr std::uint32_t MediaNext = 35;
constexpr std::uint32_t VolumeUp = 37;
constexpr std::uint32_t VolumeDown = 38;
constexpr std::uint32_t Mute = 39;
constexpr std::uint32_t Cut = 64;
constexpr std::uint32_t Copy = 65;
constexpr std::uint32_t Paste = 66;
constexpr std::uint32_t Undo = 67;
constexpr std::uint32_t SelectAll = 68;
constexpr std::uint32_t Find = 69;
constexpr std::uint32_t New = 70;
constexpr std::uint32_t Print = 71;
constexpr std::uint32_t Save = 72;
constexpr std::uint32_t CloseWindow = 81; // Alt+F4
constexpr std::uint32_t LockScreen = 82;  // Win+L
constexpr std::uint32_t Run = 84;         // Win+R
constexpr std::uint32_t ShowDesktop = 85; // Win+D
constexpr std::uint32_t ZoomIn = 86;      // named only
constexpr std::uint32_t ZoomOut = 87;     // named only
constexpr std::uint32_t ScreenshotScreen = 116;
constexpr std::uint32_t ScreenshotWindow = 117;
constexpr std::uint32_t ScreenshotArea = 118;
constexpr std::uint32_t Disable = 121;    // named only; the device slot stays 0
constexpr std::uint32_t StartKey = 122;   // Win alone
constexpr std::uint32_t Minimize = 123;   // Win+M
constexpr std::uint32_t SwitchWindow = 124; // Alt+Tab
constexpr std::uint32_t Search = 125;     // Win+Q
constexpr std::uint32_t MagnifierIn = 126;  // Win+Keypad plus
constexpr std::uint32_t MagnifierOut = 127; // Win+Keypad minus
constexpr std::uint32_t DoubleClick = 133;  // named only
}  // namespace FunctionType

// The function of each button after a reset, by button index.
constexpr std::uint32_t kDefaultFunction[7] = {
    FunctionType::Click,  FunctionType::Menu,     FunctionType::Middle,     FunctionType::Forward,
    FunctionType::Back,   FunctionType::ScrollUp, FunctionType::ScrollDown,
};
