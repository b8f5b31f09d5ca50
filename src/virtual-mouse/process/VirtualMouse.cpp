// VirtualMouse.exe: the virtual mouse process. Run without a command it hosts
// one simulated mouse and its driver for the programs on this machine, on the
// named pipe of VirtualMousePipePath(); with a command (plug, unplug, press N,
// state, quit) it asks the running one and prints its answer.
//
// What the process does in the driver's place: it answers every control code
// with the simulated mouse, appends each request to the log, releases the
// registered program's event semaphore once per queued event (duplicating the
// handle value the program gave on register out of the program's process), and
// announces plugging and unplugging to the program's main window as
// WM_DEVICECHANGE with the mouse's device-interface path.
#include <windows.h>

#include <dbt.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "device/ByteOrder.h"
#include "device/DriverTransport.h"
#include "platform/VirtualMouseWire.h"
#include "platform/win/VirtualMousePipe.h"
#include "virtual-mouse/SimulatedMouse.h"
#include "virtual-mouse/VirtualMouseText.h"

namespace {

constexpr wchar_t kMainWindowTitle[] = L"Velda Q7T Mouse Driver Program";
// The USB device interface class and the path a plugged-in mouse would have.
constexpr GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
constexpr wchar_t kDevicePath[] = L"\\\\?\\USB#VID_3F1C&PID_6B02#Q7TVIRTUAL0001#{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
// Longest a script waits for the main window to take a device notification.
constexpr UINT kNotifyTimeoutMs = 10000;

void Print(FILE* to, const std::string& text) {
    std::fputs(text.c_str(), to);
    if (text.empty() || text.back() != '\n') std::fputc('\n', to);
    std::fflush(to);
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::string Hex8(std::uint32_t v) {
    char t[12];
    std::snprintf(t, sizeof t, "%08X", unsigned(v));
    return t;
}

std::vector<std::uint8_t> Reply(bool ok, const void* bytes = nullptr, std::size_t size = 0) {
    std::vector<std::uint8_t> r(4 + size);
    WriteLE32(r.data(), ok ? 1 : 0);
    if (size) std::memcpy(r.data() + 4, bytes, size);
    return r;
}
std::vector<std::uint8_t> TextReply(const std::string& text) { return Reply(true, text.data(), text.size()); }

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& cs) : cs_(cs) { ::EnterCriticalSection(&cs_); }
    ~Locked() { ::LeaveCriticalSection(&cs_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& cs_;
};

class VirtualMouseProcess {
public:
    VirtualMouseProcess(bool plugged, std::wstring pipePath, std::wstring logPath)
        : pipePath_(std::move(pipePath)), logPath_(std::move(logPath)), plugged_(plugged) {
        ::InitializeCriticalSection(&lock_);
        mouse_.SetPlugged(plugged);
        start_ = ::GetTickCount64();
        quit_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }

    int Run();

private:
    static DWORD WINAPI ConnectionThread(LPVOID argument);
    void Serve(HANDLE pipe, int id);
    std::vector<std::uint8_t> Handle(const std::vector<std::uint8_t>& request, HANDLE pipe, int id);
    std::vector<std::uint8_t> Control(const std::uint8_t* args, std::size_t size, HANDLE pipe, int id);
    std::vector<std::uint8_t> Press(unsigned control);
    std::vector<std::uint8_t> SetPlugged(bool plugged);
    void Log(const std::string& line);
    void BindSemaphore(HANDLE pipe);
    void DropSemaphore();
    int Announce(bool arrived);

    std::wstring pipePath_;
    std::wstring logPath_;
    HANDLE logFile_ = INVALID_HANDLE_VALUE;
    HANDLE quit_ = nullptr;
    ULONGLONG start_ = 0;

    CRITICAL_SECTION lock_;  // everything below
    CSimulatedMouse mouse_;
    bool plugged_;
    int owner_ = 0;               // the connection that holds the device open
    HANDLE semaphore_ = nullptr;  // the registered program's event semaphore, duplicated into this process
    int nextId_ = 0;
    ULONGLONG readyAt_ = 0;       // opens are refused before this tick (settling after a plug)
};

// How long the driver takes to accept opens after the mouse is plugged in:
// Q7T_VIRTUAL_MOUSE_SETTLE_MS, 1000 ms when unset.
ULONGLONG SettleMs() {
    wchar_t value[32] = {};
    DWORD n = ::GetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_SETTLE_MS", value, DWORD(std::size(value)));
    if (n == 0 || n >= std::size(value)) return 1000;
    return std::wcstoull(value, nullptr, 10);
}

struct ConnectionStart {
    VirtualMouseProcess* process;
    HANDLE pipe;
    int id;
};

HANDLE MakePipeInstance(const std::wstring& path, bool first) {
    DWORD open = PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    // Only local clients: the device belongs to this machine.
    DWORD mode = PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
    return ::CreateNamedPipeW(path.c_str(), open, mode, PIPE_UNLIMITED_INSTANCES, DWORD(kVirtualMouseMaxMessage),
                              DWORD(kVirtualMouseMaxMessage), 0, nullptr);
}

int VirtualMouseProcess::Run() {
    // One device per pipe name. The first-instance flag says so on Windows;
    // a named mutex makes sure of it where that flag is not honoured.
    std::wstring mutexName = L"Local\\Q7TVirtualMouse-" + pipePath_.substr(pipePath_.find_last_of(L'\\') + 1);
    HANDLE running = ::CreateMutexW(nullptr, FALSE, mutexName.c_str());
    bool another = !running || ::GetLastError() == ERROR_ALREADY_EXISTS;
    HANDLE pipe = another ? INVALID_HANDLE_VALUE : MakePipeInstance(pipePath_, true);
    if (pipe == INVALID_HANDLE_VALUE) {
        Print(stderr, "VirtualMouse: cannot serve " + Narrow(pipePath_) + ": another virtual mouse runs there (error " +
                          std::to_string(::GetLastError()) + ")");
        return 1;
    }
    logFile_ = ::CreateFileW(logPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile_ == INVALID_HANDLE_VALUE)
        Print(stderr, "VirtualMouse: cannot open the log " + Narrow(logPath_) + "; requests are not logged");
    Print(stdout, "VirtualMouse: " + std::string(plugged_ ? "plugged in" : "unplugged") + ", serving " +
                      Narrow(pipePath_) + ", log " + Narrow(logPath_));

    // The listener: each connection gets its own thread and the next instance
    // is made at once, so the program's requests never wait for a script's.
    struct Listener {
        VirtualMouseProcess* self;
        HANDLE pipe;
    };
    static Listener listener;
    listener = {this, pipe};
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](LPVOID a) -> DWORD {
            auto* l = static_cast<Listener*>(a);
            HANDLE p = l->pipe;
            for (;;) {
                BOOL connected = ::ConnectNamedPipe(p, nullptr) || ::GetLastError() == ERROR_PIPE_CONNECTED;
                if (connected) {
                    int id;
                    {
                        Locked hold(l->self->lock_);
                        id = ++l->self->nextId_;
                    }
                    auto* start = new ConnectionStart{l->self, p, id};
                    HANDLE t = ::CreateThread(nullptr, 0, ConnectionThread, start, 0, nullptr);
                    if (t) {
                        ::CloseHandle(t);
                    } else {
                        delete start;
                        ::CloseHandle(p);
                    }
                } else {
                    ::CloseHandle(p);
                }
                do {
                    p = MakePipeInstance(l->self->pipePath_, false);
                    if (p == INVALID_HANDLE_VALUE) ::Sleep(100);
                } while (p == INVALID_HANDLE_VALUE);
            }
        },
        &listener, 0, nullptr);
    if (!thread) return 1;
    ::WaitForSingleObject(quit_, INFINITE);
    Print(stdout, "VirtualMouse: quit");
    return 0;
}

DWORD WINAPI VirtualMouseProcess::ConnectionThread(LPVOID argument) {
    ConnectionStart start = *static_cast<ConnectionStart*>(argument);
    delete static_cast<ConnectionStart*>(argument);
    start.process->Serve(start.pipe, start.id);
    return 0;
}

void VirtualMouseProcess::Serve(HANDLE pipe, int id) {
    std::vector<std::uint8_t> request;
    std::uint8_t chunk[4096];
    for (;;) {
        request.clear();
        bool whole = false;
        while (!whole) {
            DWORD got = 0;
            BOOL ok = ::ReadFile(pipe, chunk, sizeof chunk, &got, nullptr);
            request.insert(request.end(), chunk, chunk + got);
            if (ok) whole = true;
            else if (::GetLastError() != ERROR_MORE_DATA || request.size() > kVirtualMouseMaxMessage) break;
        }
        if (!whole) break;  // the client went away
        bool quit = request.size() >= 4 && ReadLE32(request.data()) == VM_OP_QUIT;
        std::vector<std::uint8_t> reply = Handle(request, pipe, id);
        DWORD written = 0;
        if (!::WriteFile(pipe, reply.data(), DWORD(reply.size()), &written, nullptr)) break;
        if (quit) {
            ::FlushFileBuffers(pipe);  // the script reads its answer before the process ends
            ::SetEvent(quit_);
        }
    }
    {
        // A connection that goes away closes the device it held, as closing the
        // driver's handle would.
        Locked hold(lock_);
        if (owner_ == id) {
            mouse_.Close();
            owner_ = 0;
            DropSemaphore();
        }
    }
    ::DisconnectNamedPipe(pipe);
    ::CloseHandle(pipe);
}

std::vector<std::uint8_t> VirtualMouseProcess::Handle(const std::vector<std::uint8_t>& request, HANDLE pipe, int id) {
    if (request.size() < 4) return Reply(false);
    const std::uint8_t* args = request.data() + 4;
    std::size_t size = request.size() - 4;
    switch (ReadLE32(request.data())) {
        case VM_OP_OPEN: {
            Locked hold(lock_);
            // One program holds the device at a time: a new open replaces an
            // earlier one, whose registration ends with it.
            if (owner_ && owner_ != id) {
                mouse_.Close();
                DropSemaphore();
            }
            // A mouse just plugged in is still being set up by the driver, which
            // refuses to open it for a moment, as a real one does.
            if (::GetTickCount64() < readyAt_ || !mouse_.Open()) return Reply(false);
            owner_ = id;
            return Reply(true);
        }
        case VM_OP_CLOSE: {
            Locked hold(lock_);
            if (owner_ == id) {
                mouse_.Close();
                owner_ = 0;
                DropSemaphore();
            }
            return Reply(true);
        }
        case VM_OP_CONTROL:
            return Control(args, size, pipe, id);
        case VM_OP_PRESENT: {
            std::u16string part(size / 2, u'\0');
            if (size) std::memcpy(part.data(), args, part.size() * 2);
            Locked hold(lock_);
            return Reply(mouse_.IsDevicePresent(part));
        }
        case VM_OP_PLUG:
            return SetPlugged(true);
        case VM_OP_UNPLUG:
            return SetPlugged(false);
        case VM_OP_PRESS:
            if (size != 4 || ReadLE32(args) > 6) return Reply(false);
            return Press(ReadLE32(args));
        case VM_OP_STATE: {
            Locked hold(lock_);
            return TextReply(RenderStateJson(mouse_, plugged_));
        }
        case VM_OP_QUIT:
            return TextReply("quitting");
        default:
            return Reply(false);
    }
}

std::vector<std::uint8_t> VirtualMouseProcess::Control(const std::uint8_t* args, std::size_t size, HANDLE pipe,
                                                       int id) {
    if (size < 16) return Reply(false);
    std::uint32_t code = ReadLE32(args);
    std::uint32_t flags = ReadLE32(args + 4);
    std::uint32_t inSize = ReadLE32(args + 8);
    std::uint32_t outSize = ReadLE32(args + 12);
    // The input must be all there, and the output no bigger than a message.
    if (size - 16 != inSize || outSize > kVirtualMouseMaxMessage / 2 || (!(flags & VM_CONTROL_HAS_IN) && inSize))
        return Reply(false);
    const std::uint8_t* in = (flags & VM_CONTROL_HAS_IN) ? args + 16 : nullptr;
    std::vector<std::uint8_t> out(outSize);

    Locked hold(lock_);
    Log(FormatRequestLogLine(::GetTickCount64() - start_, code, in, inSize));
    bool ok = false;
    if (owner_ != id) {
        // Not the open device (unplugged since, or replaced): the request fails.
    } else {
        int refusals = mouse_.Refusals();
        ok = mouse_.Control(code, in, inSize, (flags & VM_CONTROL_HAS_OUT) ? out.data() : nullptr, outSize);
        if (mouse_.Refusals() != refusals && code != IOCTL_READ_EVENT)
            Print(stdout, "VirtualMouse: refused " + RequestName(code, in, inSize) + ": " + mouse_.LastRefusal());
        if (ok && code == IOCTL_SEND_REQUEST && ReadLE32(in) == DRV_REGISTER) BindSemaphore(pipe);
        if (!mouse_.Registered()) DropSemaphore();
    }
    if (!ok) return Reply(false);
    return Reply(true, out.data(), out.size());
}

void VirtualMouseProcess::BindSemaphore(HANDLE pipe) {
    DropSemaphore();
    ULONG pid = 0;
    HANDLE process = ::GetNamedPipeClientProcessId(pipe, &pid) ? ::OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid) : nullptr;
    HANDLE sem = nullptr;
    HANDLE value = reinterpret_cast<HANDLE>(std::uintptr_t(mouse_.SemaphoreHandle()));
    if (!process || !::DuplicateHandle(process, value, ::GetCurrentProcess(), &sem, SEMAPHORE_MODIFY_STATE, FALSE, 0)) {
        Print(stdout, "VirtualMouse: the semaphore handle " + Hex8(mouse_.SemaphoreHandle()) + " of process " +
                          std::to_string(pid) + " cannot be used (error " + std::to_string(::GetLastError()) +
                          "): events cannot be signalled");
        sem = nullptr;
    }
    if (process) ::CloseHandle(process);
    semaphore_ = sem;
}

void VirtualMouseProcess::DropSemaphore() {
    if (semaphore_) ::CloseHandle(semaphore_);
    semaphore_ = nullptr;
}

void VirtualMouseProcess::Log(const std::string& line) {
    if (logFile_ == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(logFile_, text.data(), DWORD(text.size()), &written, nullptr);
}

std::vector<std::uint8_t> VirtualMouseProcess::Press(unsigned control) {
    Locked hold(lock_);
    if (!plugged_) return TextReply("unplugged: the press reaches no one");
    unsigned slot = ControlSlot(control);
    std::uint32_t code = mouse_.GetState().buttonTable[slot];
    std::string what = "control " + std::to_string(control) + " (slot " + std::to_string(slot) + ") holds " + Hex8(code);
    std::optional<std::uint32_t> word = PressEventWord(code);
    if (!word) return TextReply(what + ": the mouse carries it out itself, no event");
    if (!mouse_.Registered() || !semaphore_)
        return TextReply(what + ": no program registered, event " + Hex8(*word) + " dropped");
    mouse_.QueueEvent(*word);
    if (!::ReleaseSemaphore(semaphore_, 1, nullptr))
        return TextReply(what + ": event " + Hex8(*word) + " queued, but the semaphore could not be released (error " +
                         std::to_string(::GetLastError()) + ")");
    return TextReply(what + ": event " + Hex8(*word));
}

std::vector<std::uint8_t> VirtualMouseProcess::SetPlugged(bool plugged) {
    {
        Locked hold(lock_);
        if (plugged_ == plugged) return TextReply(plugged ? "already plugged in" : "already unplugged");
        plugged_ = plugged;
        mouse_.SetPlugged(plugged);
        if (plugged) readyAt_ = ::GetTickCount64() + SettleMs();
        if (!plugged) {
            // The removed device takes its open handle and registration with it.
            owner_ = 0;
            DropSemaphore();
        }
    }
    // Outside the lock: the main window answers an arrival by opening the device.
    int windows = Announce(plugged);
    return TextReply(std::string(plugged ? "plugged in" : "unplugged") + ", " + std::to_string(windows) +
                     " window(s) told");
}

int VirtualMouseProcess::Announce(bool arrived) {
    std::vector<HWND> targets;
    ::EnumWindows(
        [](HWND w, LPARAM list) -> BOOL {
            wchar_t title[64] = {};
            ::GetWindowTextW(w, title, int(std::size(title)));
            if (std::wcscmp(title, kMainWindowTitle) == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&targets));

    std::size_t nameChars = std::wcslen(kDevicePath) + 1;
    std::vector<std::uint8_t> buffer(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + nameChars * sizeof(wchar_t));
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    b->dbcc_size = DWORD(buffer.size());
    b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    b->dbcc_classguid = kUsbDeviceInterface;
    std::memcpy(b->dbcc_name, kDevicePath, nameChars * sizeof(wchar_t));

    int told = 0;
    for (HWND w : targets) {
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(w, WM_DEVICECHANGE, arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                                  reinterpret_cast<LPARAM>(b), SMTO_ABORTIFHUNG, kNotifyTimeoutMs, &result))
            ++told;
    }
    return told;
}

std::wstring LogPath() {
    wchar_t value[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableW(L"Q7T_VIRTUAL_MOUSE_LOG", value, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return value;
    wchar_t exe[MAX_PATH] = {};
    DWORD len = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe, len);
    std::size_t slash = path.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"VirtualMouse.log";
}

// A script command: one transaction with the running virtual mouse.
int SendCommand(const VirtualMouseCommand& c, const std::wstring& pipePath) {
    std::vector<std::uint8_t> request;
    switch (c.kind) {
        case VirtualMouseCommand::Plug: request = VirtualMouseRequest(VM_OP_PLUG); break;
        case VirtualMouseCommand::Unplug: request = VirtualMouseRequest(VM_OP_UNPLUG); break;
        case VirtualMouseCommand::Press: request = VirtualMouseRequest(VM_OP_PRESS, {c.control}); break;
        case VirtualMouseCommand::State: request = VirtualMouseRequest(VM_OP_STATE); break;
        case VirtualMouseCommand::Quit: request = VirtualMouseRequest(VM_OP_QUIT); break;
        default: return 2;
    }
    HANDLE pipe = ConnectVirtualMouse(pipePath, 5000);
    if (!pipe) {
        Print(stderr, "VirtualMouse: no virtual mouse runs on " + Narrow(pipePath));
        return 1;
    }
    std::vector<std::uint8_t> reply;
    bool ok = VirtualMouseTransact(pipe, request, reply);
    ::CloseHandle(pipe);
    if (!ok || ReadLE32(reply.data()) != 1) {
        Print(stderr, "VirtualMouse: the virtual mouse on " + Narrow(pipePath) + " did not answer");
        return 1;
    }
    Print(stdout, std::string(reply.begin() + 4, reply.end()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Plain line ends for the scripts that read the output.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> args(argv + 1, argv + argc);
    VirtualMouseCommand c = ParseVirtualMouseCommand(args);
    if (c.kind == VirtualMouseCommand::Invalid) {
        Print(stderr, "VirtualMouse: " + c.error);
        std::fputs(kVirtualMouseUsage, stderr);
        return 2;
    }
    std::wstring pipePath = VirtualMousePipePath();
    if (c.kind != VirtualMouseCommand::Run) return SendCommand(c, pipePath);
    VirtualMouseProcess process(!c.startUnplugged, pipePath, LogPath());
    return process.Run();
}
