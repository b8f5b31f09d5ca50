#include "controls/ButtonLooks.h"

ButtonLook ChooseBitmapButtonLook(const ButtonState& s) {
    if (s.checkable ? s.checked : s.pushed) return ButtonLook::Pressed;
    if (s.hovering && s.overLook) return ButtonLook::Over;
    if (s.disabled) return ButtonLook::Disabled;
    return ButtonLook::Normal;
}

ButtonLook ChooseIrrButtonLook(const ButtonState& s) {
    bool pressed;
    if (s.checkable) {
        pressed = s.checked;
    } else if (s.disabled) {
        return ButtonLook::Disabled;
    } else {
        pressed = s.pushed;
    }
    if (pressed) return ButtonLook::Pressed;
    if (s.hovering) return ButtonLook::Over;
    return ButtonLook::Normal;
}

CaptionOffset IrrCaptionOffset(int length) {
    int shift = length > 5 ? 3 * length : 6 * length;
    return {5 - shift, -6};
}
