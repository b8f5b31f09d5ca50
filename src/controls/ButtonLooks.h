// Which of its skin images a skinned button shows, and where a region-shaped
// button puts its caption. Pure rules, shared by the Win32 buttons and tests.
#pragma once

// The four looks of an image button; each has its own skin image.
enum class ButtonLook { Normal, Over, Pressed, Disabled };

// What an image button knows when it draws itself.
struct ButtonState {
    bool checkable = false;  // the pressed look follows `checked`, not the press
    bool checked = false;
    bool pushed = false;     // the left button is held down on the button
    bool hovering = false;
    bool overLook = true;    // the owner allows the over look
    bool disabled = false;
};

// CGDIBitmapBtn: pressed when (checkable ? checked : pushed); else over when
// hovering and allowed; else disabled; else normal.
ButtonLook ChooseBitmapButtonLook(const ButtonState& state);

// CIrrButton: a checkable button is pressed exactly when checked; otherwise a
// disabled button shows the disabled image, an enabled one the pressed image
// while pushed. Hovering gives the over look when not pressed. The over-look
// flag does not exist for this class and is ignored.
ButtonLook ChooseIrrButtonLook(const ButtonState& state);

// CIrrButton caption: the text's top-left corner relative to the shape's
// centre. Short captions (up to 5 characters) are moved 6 pixels left per
// character, longer ones 3, then 5 back to the right; the text sits 6 above.
struct CaptionOffset {
    int dx;
    int dy;
};
CaptionOffset IrrCaptionOffset(int length);
