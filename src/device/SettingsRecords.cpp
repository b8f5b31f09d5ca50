#include "device/SettingsRecords.h"

#include <cstring>

#include "buttons/KeyNames.h"
#include "device/FunctionTypes.h"

void ResetToDefaults(DeviceSettings& s) {
    std::memset(&s, 0, sizeof s);
    s.magic = kSettingsMagic;
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonBinding& b = s.bindings[i];
        b.type = kDefaultFunction[i];
        SetTextField(b.displayText, FunctionName(kDefaultFunction[i]));
    }
    s.dpiLevels[0] = 500;
    s.dpiLevels[1] = 1000;
    s.dpiLevels[2] = 2000;
    s.reportRate = 1;
    s.customColor = 0x000000FF;
    s.presetColor = 0x000000FF;
    s.customColorInUse = 1;
    s.presetIndex = 0;
    s.lightingEffect = kEffectSpectrum;
    s.pointerPrecision = 0;
    s.pointerSpeed = 10;
    s.lightingBrightness = 5;
    s.lightingSpeed = 3;
    s.liftHeight = 128;
}
