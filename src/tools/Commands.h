// q7tctl commands. Each command takes its own arguments (after the command
// word), prints UTF-8 to stdout and returns the exit status; a usage error
// returns kUsageError and main prints the usage text.
#pragma once

#include <span>

#include "platform/Utf8.h"
#include <string>

constexpr int kUsageError = 2;

using CommandArgs = std::span<char* const>;

struct Command {
    const char* name;
    const char* usage;  // arguments, for the usage text
    int (*run)(CommandArgs args);
};


struct DeviceSettings;
// A readable listing of a settings record, one field a line.
void PrintSettings(const DeviceSettings& settings);

// The commands, defined in the *Commands.cpp files.
int RunTexts(CommandArgs args);
int RunXml(CommandArgs args);
int RunDefaults(CommandArgs args);
int RunProfile(CommandArgs args);
int RunPlan(CommandArgs args);
int RunMacro(CommandArgs args);
