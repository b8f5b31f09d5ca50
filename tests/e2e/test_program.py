"""The whole program under Wine against the virtual mouse, driven as a user
would: clicks at the window's pixel positions, keys, the tray messages.
Screenshots are kept under build/e2e/ for people to look at."""

import os
import subprocess
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import INFO_TITLE, MAIN_TITLE, REG_KEY, wait_for  # noqa: E402

OUT = harness.ROOT / "build" / "e2e"
ART = harness.BUILD / "resources" / "art"
TRAY_TITLE = "Wine System Tray"
PROFILE_SIZE = 22589
NAME_OFFSET = 22028

screen = None
wine = None


def setUpModule():
    global screen, wine
    screen = harness.Screen(os.environ.get("Q7T_E2E_DISPLAY")).start()
    wine = harness.Wine(screen)


def tearDownModule():
    if wine:
        wine.kill_all()
    if screen:
        screen.stop()


def differing_pixels(shot, rect, reference, ref_origin):
    """How many pixels of rect (x, y, w, h) of the screenshot differ from the
    reference image at ref_origin."""
    x, y, w, h = rect
    rx, ry = ref_origin
    out = subprocess.run(
        ["compare", "-metric", "AE",
         f"{shot}[{w}x{h}+{x}+{y}]", f"{reference}[{w}x{h}+{rx}+{ry}]", "null:"],
        capture_output=True, text=True, timeout=60)
    return int(float(out.stderr.split()[0]))


class ProgramTest(unittest.TestCase):
    def setUp(self):
        wine.kill_all()
        wine.reg_delete(REG_KEY)
        self.dir = OUT / self._testMethodName
        self.app = harness.Installation(wine, self.dir / "Q7T Mouse").lay_out()

    def tearDown(self):
        screen.screenshot(self.dir / "last-screen.png")  # what the screen showed at the end, pass or fail
        wine.kill_all()

    def main_window(self, visible=True):
        return self.app.main_window(visible)

    def tray_icon(self):
        """Where our notification icon is: Wine shows the icons in its own tray
        window when the desktop has none; ours is the only one there."""
        tray = wait_for(lambda: wine.window(TRAY_TITLE), what="the notification area")
        self.assertTrue(tray["visible"])
        return tray["x"] + 14, tray["y"] + 32

    def tray_menu(self):
        """Right-clicks the notification icon until its menu is open (a click
        that lands while the icon is still being placed is lost)."""
        x, y = self.tray_icon()
        for _ in range(5):
            screen.click(x, y, button=3)
            try:
                return wait_for(lambda: wine.window_of_class("#32768"), timeout=4, what="the tray menu")
            except TimeoutError:
                screen.key("Escape")
        self.fail("the notification icon opened no menu")

    def click_in(self, window, x, y):
        screen.click(window["x"] + x, window["y"] + y)

    def shot(self, name, window=None):
        rect = (window["x"], window["y"], window["width"], window["height"]) if window else None
        return screen.screenshot(self.dir / f"{name}.png", rect)

    def start_plugged(self, exe="Q7TMouse.exe"):
        self.app.start_mouse()
        self.program = self.app.start_program(exe)
        return self.main_window()

    def wait_write_done(self, before):
        self.app.wait_write_done(before)

    def commands(self, lines):
        return [l[2] for l in lines]

    # 1
    def test_start_with_the_mouse_plugged_shows_the_main_window(self):
        w = self.start_plugged()
        self.assertEqual((w["width"], w["height"]), (822, 544))
        self.assertLessEqual(abs(w["x"] - (1280 - 822) // 2), 2)
        self.assertLessEqual(abs(w["y"] - (1024 - 544) // 2), 40)
        shot = self.shot("main-window", w)
        # Tab 1 marked: its rectangle shows the pressed look; the other tabs the normal one.
        self.assertEqual(differing_pixels(shot, (46, 56, 32, 30), ART / "main-pressed.bmp", (46, 56)), 0)
        self.assertEqual(differing_pixels(shot, (93, 56, 37, 30), ART / "main-normal.bmp", (93, 56)), 0)
        # The button page is the page shown.
        self.assertLess(differing_pixels(shot, (0, 96, 820, 342), ART / "button-page-normal.bmp", (0, 0)), 820 * 342 // 10)
        # The notification icon is there.
        x, y = self.tray_icon()
        tray = screen.screenshot(self.dir / "tray.png")
        self.assertGreater(differing_pixels(tray, (x - 6, y - 6, 12, 12), tray, (x + 60, y - 6)), 20)
        self.assertEqual([l[2] for l in self.app.log_lines()[:2]], ["option", "register"])
        self.assertIn("enable", self.commands(self.app.log_lines()))

    # 2
    def test_start_unplugged_shows_the_message_and_ends_on_ok(self):
        self.app.start_mouse(plugged=False)
        program = self.app.start_program()
        info = wait_for(lambda: wine.window(INFO_TITLE), timeout=30, what="the information dialog")
        self.assertEqual((info["width"], info["height"]), (330, 160))
        self.shot("not-connected", info)
        self.assertIsNone(wine.window(MAIN_TITLE))
        self.click_in(info, 273, 143)  # OK
        self.assertEqual(program.wait(20), 0)

    # 3
    def test_second_start_brings_the_first_window_forward(self):
        w = self.start_plugged()
        self.click_in(w, 806, 16)  # close: hides to the tray
        self.main_window(visible=False)
        second = self.app.start_program()
        second.wait(30)
        self.main_window(visible=True)
        self.assertEqual(sum(1 for x in wine.windows() if x["title"] == MAIN_TITLE), 1)

    # 4
    def test_apply_writes_the_default_settings(self):
        w = self.start_plugged()
        before = len(self.app.log_lines())
        self.click_in(w, 760, 524)  # Apply
        self.wait_write_done(before)
        lines = self.app.log_lines()[before:]
        sent = [l for l in lines if l[2] in ("setting", "data", "option")]
        self.assertEqual(sent[0][2:], ["setting", "1201004000000000"])  # button table, 64 bytes
        self.assertEqual([l[2] for l in sent[1:3]], ["data", "data"])
        # The mouse expects 20 ms before each chunk of a transfer.
        self.assertGreaterEqual(int(sent[2][0]) - int(sent[1][0]), 19)
        state = self.app.mouse_state()
        # The button table as it was sent, the two 32-byte chunks: 16 little-endian slots.
        table = "".join(bytes.fromhex(slot)[::-1].hex() for slot in state["buttons"])
        self.assertEqual(table.upper(), sent[1][3].upper() + sent[2][3].upper())
        self.assertEqual(sent[1][3].upper()[:24], "0100F0000100F1000100F200")
        self.assertTrue(state["dpi"].lower().startswith("02040880"))
        self.assertEqual(state["effect"], [4, 0, 0])
        self.assertEqual(state["interval"], 1)
        self.assertEqual(state["lift"], 128)
        self.assertEqual(self.app.profile(1).stat().st_size, PROFILE_SIZE)
        config = wine.reg_binary(REG_KEY, "ConfigInfo")
        self.assertIsNotNone(config)
        self.assertEqual(len(config), 8000)
        self.assertEqual(wine.mouse_speed(), 10)
        self.shot("after-apply", w)

    # 5
    def test_unplug_hides_and_plug_reconnects(self):
        self.start_plugged()
        self.assertEqual(self.app.mouse("unplug").returncode, 0)
        self.main_window(visible=False)
        before = len(self.app.log_lines())
        self.assertEqual(self.app.mouse("plug").returncode, 0)
        wait_for(lambda: {"register", "enable"} <= set(self.commands(self.app.log_lines()[before:])),
                 timeout=20, what="register and enable after plugging in")
        x, y = self.tray_icon()
        for _ in range(5):
            screen.xdotool("mousemove", "--sync", x, y)
            screen.xdotool("click", "--repeat", 2, "--delay", 80, 1)  # Show
            try:
                self.app.main_window(visible=True, timeout=5)
                break
            except TimeoutError:
                pass
        self.main_window(visible=True)

    # 6
    def test_profile_two_keeps_its_own_name(self):
        w = self.start_plugged()
        profile1 = self.app.profile(1).read_bytes() if self.app.profile(1).exists() else None
        self.click_in(w, 260, 452)  # profile 2
        self.click_in(w, 176, 508)  # name box
        screen.key("ctrl+a")
        screen.type_text("Gaming")
        before = len(self.app.log_lines())
        self.click_in(w, 760, 524)  # Apply
        self.wait_write_done(before)
        data = self.app.profile(2).read_bytes()
        self.assertEqual(len(data), PROFILE_SIZE)
        self.assertEqual(data[NAME_OFFSET:NAME_OFFSET + 14], "Gaming\0".encode("utf-16-le"))
        if profile1 is not None:
            self.assertEqual(self.app.profile(1).read_bytes(), profile1)
        self.shot("profile-2", w)

    # 7
    def test_reset_confirmed_writes_and_cancelled_sends_nothing(self):
        w = self.start_plugged()
        before = len(self.app.log_lines())
        self.click_in(w, 683, 524)  # Reset
        info = wait_for(lambda: wine.window(INFO_TITLE), what="the reset question")
        self.shot("reset-question", info)
        self.click_in(info, 278, 143)  # Cancel
        wait_for(lambda: wine.window(INFO_TITLE) is None, what="the question to close")
        time.sleep(1.5)
        self.assertEqual(len(self.app.log_lines()), before)

        self.click_in(w, 683, 524)
        info = wait_for(lambda: wine.window(INFO_TITLE), what="the reset question")
        self.click_in(info, 211, 143)  # OK
        self.wait_write_done(before)
        self.assertIn("setting", self.commands(self.app.log_lines()[before:]))

    # 8
    def test_exit_from_the_tray_menu(self):
        w = self.start_plugged()
        menu = self.tray_menu()
        self.shot("tray-menu")
        screen.click(menu["x"] + menu["width"] // 2, menu["y"] + menu["height"] * 3 // 4)  # the second item: Exit
        self.assertEqual(self.program.wait(20), 0)
        self.assertIn("unregister", self.commands(self.app.log_lines()))
        tray = wine.window(TRAY_TITLE)
        self.assertTrue(tray is None or not tray["visible"], "the notification icon is gone")

    # 9
    def test_start_exe_from_a_folder_with_spaces(self):
        self.assertIn(" ", str(self.app.folder))
        self.start_plugged(exe="Start.exe")

    # 10
    def test_without_hooktap_a_warning_and_the_program_runs_on(self):
        (self.app.folder / "HookTap.dll").unlink()
        self.app.start_mouse()
        self.program = self.app.start_program()
        warning = wait_for(lambda: wine.window("Warning"), timeout=30, what="the warning box")
        self.shot("hooktap-warning", warning)
        screen.key("Return")
        self.main_window()


if __name__ == "__main__":
    unittest.main(verbosity=2)
