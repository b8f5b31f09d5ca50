// User-messages port: the system message box with caption "Info" and an OK
// button that the profile persistence shows, owned by the main window.
#pragma once

#include <string>
#include <vector>

class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    virtual void ShowInfo(const std::u16string& text) = 0;
};

// Records the messages instead of showing them.
class CRecordingMessages : public IUserMessages {
public:
    void ShowInfo(const std::u16string& text) override { shown.push_back(text); }
    std::vector<std::u16string> shown;
};
