#include "device/win/CUSBDriver.h"

namespace {

constexpr wchar_t kPlainWindowClass[] = L"Q7TPlainWindow";

const wchar_t* PlainWindowClass() {
    static ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kPlainWindowClass;
        return ::RegisterClassExW(&wc);
    }();
    (void)atom;
    return kPlainWindowClass;
}

}  // namespace

CUSBDriver::CUSBDriver(IDriverDevice& device, IPauses& pauses) : device_(device), link_(device, pauses) {}

CUSBDriver::~CUSBDriver() {
    // The event thread is stopped and joined so that it never reads this
    // object after it is gone.
    if (thread_) {
        stopping_.store(true);
        ::ReleaseSemaphore(semaphore_, 1, nullptr);
        ::WaitForSingleObject(thread_, 5000);
        ::CloseHandle(thread_);
    }
    if (hidHandle_ && hidHandle_ != INVALID_HANDLE_VALUE) ::CloseHandle(hidHandle_);
    if (hidLibrary_) ::FreeLibrary(hidLibrary_);
    if (window_) ::DestroyWindow(window_);
    if (semaphore_) ::CloseHandle(semaphore_);
}

int CUSBDriver::Initialize(HWND notifyWindow) {
    notify_.store(notifyWindow);
    if (!semaphore_) {
        semaphore_ = ::CreateSemaphoreW(nullptr, 0, 8000, nullptr);
        // The driver takes the handle value in a 32-bit field; kernel handle
        // values fit in it.
        link_.SetEventSemaphore(std::uint32_t(reinterpret_cast<std::uintptr_t>(semaphore_)));
    }
    if (!thread_) thread_ = ::CreateThread(nullptr, 4096, DriverEventThread, this, 0, nullptr);
    if (!window_)
        window_ = ::CreateWindowExW(0, PlainWindowClass(), L"VeldaQ3Drivers", WS_POPUP, 1, 1, 1, 1, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (!hidLibrary_) hidLibrary_ = ::LoadLibraryW(L"DevBridge.dll");
    if (hidLibrary_ && !openHidDevice_)
        openHidDevice_ = reinterpret_cast<OpenHidDeviceEntry>(
            reinterpret_cast<void*>(::GetProcAddress(hidLibrary_, "OpenHidDevice")));
    return hidLibrary_ && openHidDevice_ ? 1 : 0;
}

void CUSBDriver::OpenHidDevice() {
    if (!openHidDevice_) return;
    if (hidHandle_ && hidHandle_ != INVALID_HANDLE_VALUE) ::CloseHandle(hidHandle_);
    hidHandle_ = openHidDevice_(0xFF01, 1, 0, 0, 0, 0, 1, 0x40000000);
}

DWORD WINAPI CUSBDriver::DriverEventThread(LPVOID argument) {
    auto* driver = static_cast<CUSBDriver*>(argument);
    DriverEvent buffer = MakeDriverEvent();  // kept between reads, as the driver expects
    for (;;) {
        if (::WaitForSingleObject(driver->semaphore_, INFINITE) != WAIT_OBJECT_0) return 1;
        if (driver->stopping_.load()) return 0;
        if (!driver->device_.IsOpen()) continue;
        if (!ReadDriverEvent(driver->device_, buffer)) continue;  // the event is lost
        HWND notify = driver->notify_.load();
        if (notify) ::PostMessageW(notify, kWmDeviceEvent, WPARAM(buffer.eventWord.get()), 0);
    }
}
