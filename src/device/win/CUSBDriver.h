// The driver link object of the main window: the event semaphore that the
// driver releases once per queued event, the event thread that reads those
// events and posts them to the notify window as WM_DEVICE_EVENT, a hidden
// window "VeldaQ3Drivers", and DevBridge.dll with its OpenHidDevice export.
// Requests go through Link(), on the UI thread.
#pragma once

#include <windows.h>

#include <atomic>

#include "device/DriverTransport.h"

class CUSBDriver {
public:
    CUSBDriver(IDriverDevice& device, IPauses& pauses);
    ~CUSBDriver();
    CUSBDriver(const CUSBDriver&) = delete;
    CUSBDriver& operator=(const CUSBDriver&) = delete;

    // 1 when DevBridge.dll and its OpenHidDevice export are both available.
    // The semaphore, the event thread and the hidden window are made either way.
    int Initialize(HWND notifyWindow);
    // Calls OpenHidDevice (closing a handle from an earlier call first) and keeps its handle.
    void OpenHidDevice();

    CDriverLink& Link() { return link_; }
    IDriverDevice& Device() { return device_; }
    HANDLE EventSemaphore() const { return semaphore_; }
    HWND Window() const { return window_; }
    HWND NotifyWindow() const { return notify_.load(); }
    HANDLE HidHandle() const { return hidHandle_; }

private:
    static DWORD WINAPI DriverEventThread(LPVOID argument);

    using OpenHidDeviceEntry = HANDLE(__cdecl*)(DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD);

    IDriverDevice& device_;
    CDriverLink link_;
    std::atomic<HWND> notify_{nullptr};
    std::atomic<bool> stopping_{false};
    HANDLE semaphore_ = nullptr;
    HANDLE thread_ = nullptr;
    HWND window_ = nullptr;
    HMODULE hidLibrary_ = nullptr;
    OpenHidDeviceEntry openHidDevice_ = nullptr;
    HANDLE hidHandle_ = nullptr;
};
