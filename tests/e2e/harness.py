"""Runs the Windows programs under Wine on one virtual screen, against the
virtual mouse, and looks at them as a user would: windows by title, clicks at
pixel positions, screenshots, the virtual mouse's log and state, the registry
and the profile files.

Used by the whole-program scenarios (test_program.py) and by scripts/demo.
"""

import json
import os
import random
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = ROOT / "build" / "windows"
DIST = BUILD / "dist"
PROBE = BUILD / "tests" / "e2e" / "Q7TProbe.exe"
WINE_RUN = ROOT / "scripts" / "wine-run"
MAIN_TITLE = "Velda Q7T Mouse Driver Program"
INFO_TITLE = "VeldaQ7TInfoDlg"
PROGRESS_TITLE = "VeldaQ7TProcessDlg"
REG_KEY = r"HKLM\Software\VELDA\Q7TMouse"


def wait_for(condition, timeout=15.0, interval=0.2, what="condition"):
    """Polls until condition() is truthy and returns its value."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise TimeoutError(f"timed out waiting for {what}")
        time.sleep(interval)


class Screen:
    """A private Xvfb for a whole run (or the user's display when given)."""

    def __init__(self, display=None):
        self.display = display
        self.process = None

    def start(self):
        if self.display:
            return self
        for _ in range(20):
            number = random.randint(100, 599)
            if Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists():
                continue
            self.process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_for(lambda: Path(f"/tmp/.X11-unix/X{number}").exists() or self.process.poll() is not None,
                         timeout=10, what="Xvfb")
            except TimeoutError:
                pass
            if self.process.poll() is None and Path(f"/tmp/.X11-unix/X{number}").exists():
                self.display = f":{number}"
                return self
            self.process.kill()
            self.process.wait()
        raise RuntimeError("could not start Xvfb")

    def stop(self):
        if self.process:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
            self.process = None

    def env(self):
        return {"DISPLAY": self.display}

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env={**os.environ, **self.env()},
                              capture_output=True, text=True, timeout=20)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.15)
        self.xdotool("click", button)
        time.sleep(0.3)

    def type_text(self, text):
        self.xdotool("type", "--delay", 40, text)

    def key(self, *keys):
        self.xdotool("key", *keys)

    def screenshot(self, path, rect=None):
        """The screen (or the rectangle x, y, width, height of it) as a PNG."""
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        args = ["import", "-display", self.display, "-window", "root"]
        if rect:
            x, y, w, h = rect
            args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        subprocess.run(args + [str(path)], check=True, timeout=30)
        return path


class Wine:
    """Wine in the project's prefix, on the given screen."""

    def __init__(self, screen, extra_env=None):
        self.screen = screen
        self.extra_env = dict(extra_env or {})

    def env(self, more=None):
        return {**os.environ, **self.screen.env(), **self.extra_env, **(more or {})}

    def run(self, *args, timeout=60, env=None):
        # Output goes through files, not pipes: a Wine service that the command
        # happens to start (the desktop of a new display) inherits them and
        # lives on, and a pipe would then never reach its end.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run([str(WINE_RUN), *map(str, args)], env=self.env(env), stdout=out, stderr=err,
                                  timeout=timeout)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(done.args, done.returncode,
                                               out.read().decode("utf-8", "replace"),
                                               err.read().decode("utf-8", "replace"))

    def start(self, *args, env=None, log=None):
        out = open(log, "ab") if log else subprocess.DEVNULL
        return subprocess.Popen([str(WINE_RUN), *map(str, args)], env=self.env(env), stdout=out,
                                stderr=subprocess.STDOUT)

    def kill_all(self):
        """Ends every process of the prefix (a clean slate between scenarios)."""
        subprocess.run(["wineserver", "-k"], env=self.env({"WINEPREFIX": str(ROOT / "build" / "wineprefix")}),
                       capture_output=True, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env({"WINEPREFIX": str(ROOT / "build" / "wineprefix")}),
                       capture_output=True, timeout=30)

    # The registry of the prefix.
    def reg_delete(self, key):
        self.run("reg", "delete", key, "/f")

    def reg_binary(self, key, value):
        """A REG_BINARY value as bytes, or None when it is not there."""
        out = self.run("reg", "query", key, "/v", value)
        if out.returncode != 0:
            return None
        for line in out.stdout.splitlines():
            parts = line.split()
            if len(parts) >= 2 and parts[0] == value and parts[1] == "REG_BINARY":
                return bytes.fromhex("".join(parts[2:]))
        return None

    # Looking at windows from outside.
    def window(self, title):
        out = self.run(PROBE, "window", title, timeout=30)
        if out.returncode != 0:
            return None
        return json.loads(out.stdout)

    def window_of_class(self, name):
        out = self.run(PROBE, "class", name, timeout=30)
        return json.loads(out.stdout) if out.returncode == 0 else None

    def windows(self):
        out = self.run(PROBE, "windows", timeout=30)
        return [json.loads(line) for line in out.stdout.splitlines() if line.strip()]

    def mouse_speed(self):
        return int(self.run(PROBE, "mousespeed").stdout.strip())

    def post(self, title, message, wparam=0, lparam=0):
        return self.run(PROBE, "post", title, message, wparam, lparam).returncode == 0


class Installation:
    """A fresh copy of the shipped folder (its path has spaces), with the
    virtual mouse and the program run from it."""

    def __init__(self, wine, folder):
        self.wine = wine
        self.folder = Path(folder)
        self.log = self.folder.parent / "VirtualMouse.log"
        self.processes = []

    def lay_out(self):
        if self.folder.parent.exists():
            shutil.rmtree(self.folder.parent)
        shutil.copytree(DIST, self.folder)
        self.folder.parent.joinpath("wine-output.log").touch()
        return self

    @property
    def device_env(self):
        return {"Q7T_DEVICE": "virtual", "Q7T_VIRTUAL_MOUSE_LOG": str(self.log)}

    def start_mouse(self, plugged=True):
        args = [self.folder / "VirtualMouse.exe"] + ([] if plugged else ["--unplugged"])
        self.processes.append(self.wine.start(*args, env=self.device_env,
                                              log=self.folder.parent / "wine-output.log"))
        wait_for(lambda: self.mouse("state").returncode == 0, timeout=30, what="the virtual mouse")

    def mouse(self, *command):
        return self.wine.run(self.folder / "VirtualMouse.exe", *command, env=self.device_env, timeout=30)

    def mouse_state(self):
        out = self.mouse("state")
        if out.returncode != 0:
            raise RuntimeError(f"VirtualMouse state failed: {out.stderr}")
        return json.loads(out.stdout)

    def log_lines(self):
        if not self.log.exists():
            return []
        return [line.split() for line in self.log.read_text().splitlines() if line.strip()]

    def start_program(self, exe="Q7TMouse.exe", env=None):
        process = self.wine.start(self.folder / exe, env={**self.device_env, **(env or {})},
                                  log=self.folder.parent / "wine-output.log")
        self.processes.append(process)
        return process

    def profile(self, n):
        return self.folder / "Profile" / f"Profile{n}.cfg"

    def main_window(self, visible=True, timeout=30):
        """The main window once it is (or is no longer) visible."""
        def check():
            w = self.wine.window(MAIN_TITLE)
            return w if w and w["visible"] == visible else None
        return wait_for(check, timeout=timeout, what=f"main window visible={visible}")

    def wait_write_done(self, before):
        """Waits until a settings write that began after `before` log lines has
        ended: the progress dialog has come and gone and the log is quiet."""
        wait_for(lambda: len(self.log_lines()) > before, timeout=20, what="the write to begin")
        wait_for(lambda: self.wine.window(PROGRESS_TITLE) is None, timeout=30, what="the write to end")
        wait_for(self._log_quiet, timeout=30, what="the log to settle")

    def _log_quiet(self):
        first = len(self.log_lines())
        time.sleep(1.0)
        return len(self.log_lines()) == first
