#include "app/MainWindowRules.h"

#include "device/DriverTransport.h"
#include "platform/DriverDevice.h"

namespace {

constexpr PolygonPoint kProfile1[] = {{88, 438}, {95, 438}, {192, 438}, {214, 460}, {206, 467}, {107, 467}, {88, 447}};
constexpr PolygonPoint kProfile2[] = {{193, 438}, {304, 438}, {326, 460}, {318, 467}, {221, 467}};
constexpr PolygonPoint kProfile3[] = {{304, 438}, {416, 438}, {437, 459}, {430, 468}, {333, 468}};
constexpr PolygonPoint kProfile4[] = {{416, 438}, {528, 438}, {549, 459}, {544, 467}, {444, 467}};
constexpr PolygonPoint kProfile5[] = {{527, 438}, {642, 438}, {663, 460}, {653, 467}, {557, 467}, {527, 437}};

constexpr std::span<const PolygonPoint> kSelectors[kProfileCount] = {kProfile1, kProfile2, kProfile3, kProfile4,
                                                                      kProfile5};

}  // namespace

std::optional<PagePlan> PlanForPage(int page) {
    if (page < 1 || page > kPageCount) return std::nullopt;
    // The macro page edits the macro store, not the profile: Apply, Reset and
    // the profile controls are off while it is shown.
    return PagePlan{page, page, page != 4};
}

std::span<const PolygonPoint> ProfileSelectorPolygon(int index) {
    if (index < 0 || index >= kProfileCount) return {};
    return kSelectors[index];
}

bool PointInPolygon(std::span<const PolygonPoint> polygon, double x, double y) {
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = polygon[i].x, yi = polygon[i].y, xj = polygon[j].x, yj = polygon[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

int ProfileSelectorAt(int x, int y) {
    for (int k = 0; k < kProfileCount; ++k)
        if (PointInPolygon(kSelectors[k], x + 0.5, y + 0.5)) return k;
    return -1;
}

bool IsMouseDevicePath(std::u16string_view devicePath) { return ContainsIgnoringCase(devicePath, kMouseHardwareId); }

bool IsFilteredKey(unsigned message, std::uintptr_t key) {
    constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101;
    if (message != kKeyDown && message != kKeyUp) return false;
    return key == 13 || key == 27 || key == 32;
}

std::u16string ProgramFileName(std::u16string_view path) {
    std::size_t cut = path.find_last_of(u"\\/");
    return std::u16string(cut == std::u16string_view::npos ? path : path.substr(cut + 1));
}

bool IsProgramNameTaken(const ConfigInfo& config, std::u16string_view name) {
    for (const ProfileEntry& entry : config.profiles)
        if (GetTextField(entry.programName) == name) return true;
    return false;
}

ProgramChoice ChooseProgram(ConfigInfo& config, int current, std::u16string_view name, bool enableAutoSwitch) {
    if (current < 0 || current >= kProfileCount) return ProgramChoice::NoProfile;
    if (IsProgramNameTaken(config, name)) return ProgramChoice::Duplicate;
    ProfileEntry& entry = config.profiles[current];
    SetTextField(entry.programName, name);
    if (enableAutoSwitch) entry.autoSwitch = 1;
    return ProgramChoice::Stored;
}

void ClearProgram(ConfigInfo& config, int current) {
    if (current < 0 || current >= kProfileCount) return;
    ProfileEntry& entry = config.profiles[current];
    SetTextField(entry.programName, u"");
    entry.autoSwitch = 0;
}

void ResetCurrentProfile(DeviceSettings& settings, ConfigInfo& config, int current) {
    ResetToDefaults(settings);
    if (current < 0 || current >= kProfileCount) return;
    ProfileEntry& entry = config.profiles[current];
    for (LE32& id : entry.macroIds) id = 0;
    SetTextField(entry.programName, u"");
    SetTextField(settings.profileName, GetTextField(entry.profileName));
}

int ShownProgressPosition(int requested, int minimum, int maximum) {
    return requested >= minimum && requested <= maximum ? requested : minimum;
}
