// q7tctl: the portable core from the command line, for users, support and tests.
#include <cstdio>
#include <cstring>

#include "tools/Commands.h"

namespace {

const Command kCommands[] = {
    {"texts", "FILE", RunTexts},
    {"xml", "FILE", RunXml},
    {"defaults", "[LANGUAGE_FILE]", RunDefaults},
    {"profile", "show FILE | new NAME FILE [--language FILE]", RunProfile},
    {"plan", "FILE [--macros DIR]", RunPlan},
    {"macro", "encode FILE", RunMacro},
};

int Usage() {
    std::fputs("usage:\n", stderr);
    for (const Command& c : kCommands) std::fprintf(stderr, "  q7tctl %s %s\n", c.name, c.usage);
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            int status = c.run(CommandArgs(argv + 2, argv + argc));
            return status == kUsageError ? Usage() : status;
        }
    }
    return Usage();
}
