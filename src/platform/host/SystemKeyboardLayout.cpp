#include "platform/KeyboardLayout.h"

const IKeyboardLayout& SystemKeyboardLayout() {
    static const CUsKeyboardLayout layout;
    return layout;
}
