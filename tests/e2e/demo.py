"""The demo: the configuration program against the virtual mouse.

With a display (DISPLAY set) it starts the virtual mouse and the program
through Start.exe and leaves them running for you. Without one it runs them on
a private virtual screen, saves build/demo/main-window.png, applies the
settings, prints the virtual mouse's state, saves build/demo/after-apply.png
and shuts everything down."""

import json
import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

OUT = harness.ROOT / "build" / "demo"
WM_COMMAND = 0x111
EXIT_COMMAND = 24577


def main():
    interactive = bool(os.environ.get("DISPLAY"))
    screen = harness.Screen(os.environ.get("DISPLAY")).start()
    wine = harness.Wine(screen)
    app = harness.Installation(wine, OUT / "Q7T Mouse").lay_out()
    try:
        app.start_mouse()
        app.start_program("Start.exe")
        window = app.main_window()
        if interactive:
            print(f"The program runs from {app.folder} against the virtual mouse.")
            print(f"Virtual mouse commands: scripts/wine-run '{app.folder}/VirtualMouse.exe' "
                  "plug | unplug | press N | state | quit")
            print(f"Its request log: {app.log}")
            return 0
        rect = (window["x"], window["y"], window["width"], window["height"])
        print("screenshot:", screen.screenshot(OUT / "main-window.png", rect))
        before = len(app.log_lines())
        screen.click(window["x"] + 760, window["y"] + 524)  # Apply
        app.wait_write_done(before)
        print("virtual mouse state after Apply:")
        print(json.dumps(app.mouse_state(), indent=2))
        print("screenshot:", screen.screenshot(OUT / "after-apply.png", rect))
        wine.post(harness.MAIN_TITLE, WM_COMMAND, EXIT_COMMAND, 0)  # Exit, as from the tray menu
        harness.wait_for(lambda: wine.window(harness.MAIN_TITLE) is None, timeout=20, what="the program to end")
        app.mouse("quit")
        return 0
    finally:
        if not interactive:
            wine.kill_all()
            screen.stop()


if __name__ == "__main__":
    sys.exit(main())
