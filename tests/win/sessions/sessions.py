#!/usr/bin/env python3
"""Sessions of a person with the plug-in's dialog, end to end.

Each session starts the Windows plug-in the way an image editor does (through the
session host, which is `varnel apply` with the dialog left to the person), on a sample
picture, and drives the real dialog with real pointer and key input through the X server
(xdotool), aiming at the screen rectangles the host publishes for its windows. A session
that ends with OK must leave exactly the picture `varnel apply` makes from the block the
session left; one that ends with Cancel must leave the picture untouched and the host
must receive the user-cancelled code. Screenshots of every step, read from the X server,
go to the screens folder.

Every wait polls with a deadline: a session that hangs fails with what it was waiting
for, and its host is ended.
"""

import argparse
import contextlib
import json
import math
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback

USER_CANCELLED = -128
# Four sessions, each with its check against varnel apply, and the sample picture stay
# inside the test's timeout of 600 s.
SESSION_BUDGET_S = 130

# Control ids of the dialog (the resource header's values).
IDOK, IDCANCEL = 1, 2
RESULT_PREVIEW, BEFORE_PREVIEW = 7001, 7002
ZOOM_IN, ZOOM_OUT, LOCATOR = 7010, 7004, 7012
TABS = 11005
CATEGORY_LIST, THUMBNAIL_LIST = 1000, 10
FILE_NAME, BROWSE, MULTIPLE_IMAGES = 1003, 1004, 1025
DENSITY, ROTATE_IMAGES, ROTATION_ANGLE = 1007, 1008, 1009
NO_OVERLAP, SEED = 1024, 3002
HUE_JITTER, OPACITY_JITTER, FLIP_HORIZONTAL, BLEND_MULTIPLY = 1041, 1045, 1046, 1050
DENSITY_MAP_NONE, FOLLOW_EDGES = 1061, 1079
# What marks each page: a control only its template has.
PAGE_MARKERS = {"Image": CATEGORY_LIST, "Settings": DENSITY, "Options": SEED, "Variation": HUE_JITTER,
                "Guides": DENSITY_MAP_NONE}
PAGES = ["Image", "Settings", "Options", "Variation", "Guides"]


class SessionFailure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise SessionFailure(message)


class Snapshot:
    """One published view of the host's windows."""

    def __init__(self, data):
        self.data = data
        self.tops = data["tops"]

    def top_level(self, predicate):
        for top in self.tops:
            if predicate(top["windows"][0]):
                return top
        return None

    def dialog(self):
        return self.top_level(lambda w: w["class"] == "#32770" and w["text"] == "Varnel")

    def windows(self, top=None):
        tops = [top] if top is not None else self.tops
        return [w for t in tops for w in t["windows"]]

    def control(self, control_id, top=None, visible=True):
        for w in self.windows(top):
            if w["id"] == control_id and w["handle"] != (top or {}).get("handle") and (w["visible"] or not visible):
                return w
        return None

    def page(self):
        """The name of the page on show."""
        for name, marker in PAGE_MARKERS.items():
            if self.control(marker, self.dialog()) is not None:
                return name
        return None


def centre(rect):
    return ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)


class Session:
    def __init__(self, runner, name):
        self.runner = runner
        self.name = name
        self.work = os.path.join(runner.args.work, name)
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        for old in os.listdir(runner.args.screens):
            if old.startswith("session-%s-" % name):
                os.remove(os.path.join(runner.args.screens, old))
        self.windows_file = os.path.join(self.work, "windows.json")
        self.report_file = os.path.join(self.work, "report.json")
        self.output = os.path.join(self.work, "out.png")
        self.block_file = os.path.join(self.work, "block.bin")
        self.process = None
        self.shots = 0
        self.last = None
        # However its waits add up, a session ends within this time, so that the test's
        # own timeout is never what stops it.
        self.deadline = time.monotonic() + SESSION_BUDGET_S

    # The host ------------------------------------------------------------------------

    def start(self, *apply_options):
        args = ["--windows", self.windows_file, "--report", self.report_file, self.runner.input,
                self.output, "--save-params", self.block_file, *apply_options]
        self.process = self.runner.wine("varnel-session-host.exe", args, background=True,
                                        log=os.path.join(self.work, "host.log"))
        self.wait(lambda s: s.dialog() is not None and s.control(RESULT_PREVIEW, s.dialog()) is not None,
                  "the dialog to open", timeout=90)
        return self.last

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()

    def finish(self, timeout=120):
        timeout = max(1, min(timeout, self.deadline - time.monotonic()))
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.stop()
            raise SessionFailure("the host did not end within %.0f s after the dialog closed" % timeout)
        expect(os.path.exists(self.report_file), "the host wrote no report (see %s/host.log)" % self.work)
        with open(self.report_file) as f:
            report = json.load(f)
        expect(report["ran"], "the plug-in's run did not take place: %s" % report)
        return report

    def snapshot(self):
        try:
            with open(self.windows_file) as f:
                return Snapshot(json.load(f))
        except (OSError, ValueError):
            return None

    def wait(self, predicate, what, timeout=20):
        deadline = min(time.monotonic() + timeout, self.deadline)
        while True:
            snapshot = self.snapshot()
            if snapshot is not None:
                self.last = snapshot
                found = predicate(snapshot)
                if found is not None and found is not False:
                    return snapshot if found is True else found
            if self.process is not None and self.process.poll() is not None:
                raise SessionFailure("the host ended (status %s) while waiting for %s"
                                     % (self.process.returncode, what))
            if time.monotonic() > deadline:
                raise SessionFailure("timed out waiting for %s" % what)
            time.sleep(0.05)

    def control(self, control_id, what=None):
        return self.wait(lambda s: s.control(control_id, s.dialog()), what or "control %d" % control_id)

    def settled_control(self, control_id):
        """The control as a snapshot begun after everything sent so far shows it."""
        seen = self.wait(lambda s: s.data["sequence"], "a snapshot")
        return self.wait(lambda s: s.data["sequence"] > seen + 1 and s.control(control_id, s.dialog()),
                         "control %d after the input" % control_id)

    # Input through the X server ------------------------------------------------------

    def xdo(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], check=True, timeout=20)

    def move(self, point):
        self.xdo("mousemove", point[0], point[1])
        time.sleep(0.03)

    def click(self, point):
        self.move(point)
        self.xdo("click", 1)
        time.sleep(0.1)

    def drag(self, start, end, steps=8):
        self.move(start)
        self.xdo("mousedown", 1)
        time.sleep(0.1)
        for i in range(1, steps + 1):
            self.move((start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps))
        time.sleep(0.1)
        self.xdo("mouseup", 1)
        time.sleep(0.1)

    def key(self, *names):
        for name in names:
            self.xdo("key", name)
            time.sleep(0.08)

    def type(self, text):
        self.xdo("type", "--delay", 60, text)

    @contextlib.contextmanager
    def clipboard(self, text):
        """The X clipboard holds text while the block runs; its holder is stopped after."""
        holder = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        holder.stdin.write(text.encode())
        holder.stdin.close()
        time.sleep(0.3)
        try:
            yield
        finally:
            holder.terminate()
            holder.wait(timeout=10)

    # Pictures ------------------------------------------------------------------------

    def screen(self, rect):
        """The pixels the X server shows in a screen rectangle, as PPM bytes."""
        width, height = rect[2] - rect[0], rect[3] - rect[1]
        return subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, rect[0], rect[1]),
                               "ppm:-"], check=True, capture_output=True, timeout=30).stdout

    def shot(self, step, top=None, client=False):
        top = top or (self.last.dialog() if self.last else None)
        if top is None:
            return
        self.shots += 1
        rect = top["windows"][0]["client" if client else "rect"]
        path = os.path.join(self.runner.args.screens, "session-%s-%02d-%s.png" % (self.name, self.shots, step))
        width, height = rect[2] - rect[0], rect[3] - rect[1]
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, rect[0], rect[1]),
                        "+repage", path], check=True, timeout=30)

    def changed(self, rect, before, what, timeout=20):
        """Waits until the screen rectangle shows something else than before."""
        deadline = min(time.monotonic() + timeout, self.deadline)
        while self.screen(rect) == before:
            if time.monotonic() > deadline:
                raise SessionFailure("timed out after %d s waiting for %s" % (timeout, what))
            time.sleep(0.1)

    # Aiming at the dialog's parts ----------------------------------------------------

    def show_page(self, name):
        """Clicks along the tab row, as a person aims at a tab's label, until the page shows."""
        snapshot = self.wait(lambda s: s.page() is not None, "a page")
        if snapshot.page() == name:
            return
        strip = snapshot.control(TABS, snapshot.dialog())["rect"]
        y = strip[1] + 9
        for x in range(strip[0] + 8, strip[0] + 320, 12):
            self.click((x, y))
            try:
                self.wait(lambda s: s.page() == name, "the %s page" % name, timeout=1)
                return
            except SessionFailure:
                continue
        raise SessionFailure("no tab of the strip shows the %s page" % name)

    def category_row(self, name):
        """The row of a category in the list: the library's folders by name, <Custom> last."""
        library = os.path.join(self.runner.args.bin, "Varnel")
        names = sorted((d for d in os.listdir(library) if os.path.isdir(os.path.join(library, d))), key=str.upper)
        return names.index(name) if name in names else len(names)

    def choose_category(self, row):
        """Clicks a row of the category list."""
        snapshot = self.last
        grid = snapshot.control(CATEGORY_LIST, snapshot.dialog())
        height = snapshot.data["gridRowHeight"]
        self.click((grid["client"][0] + 20, grid["client"][1] + row * height + height // 2))

    def drag_slider(self, control_id, target, tolerance):
        """Drags a slider's thumb until its position lies within tolerance of target."""
        for _ in range(4):
            slider = self.settled_control(control_id)
            if abs(slider["position"] - target) <= tolerance:
                return slider["position"]
            channel, thumb = slider["channel"], slider["thumb"]
            span = slider["maximum"] - slider["minimum"]
            x = channel[0] + round((target - slider["minimum"]) * (channel[2] - channel[0]) / span)
            start = centre(thumb)
            self.drag(start, (x + start[0] - (thumb[0] + thumb[2]) // 2, start[1]))
            time.sleep(0.2)
        slider = self.settled_control(control_id)
        expect(abs(slider["position"] - target) <= tolerance,
               "the slider %d stays at %d, not near %d" % (control_id, slider["position"], target))
        return slider["position"]


class Runner:
    def __init__(self, args):
        self.args = args
        os.makedirs(args.work, exist_ok=True)
        os.makedirs(args.screens, exist_ok=True)
        self.input = os.path.join(args.work, "picture.png")
        self.results = []

    def wine(self, program, args, background=False, log=None, timeout=300):
        command = [self.args.wine_run, self.args.prefix, self.args.arch, os.path.join(self.args.bin, program), *args]
        out = open(log, "w") if log else subprocess.DEVNULL
        if background:
            return subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise SessionFailure("%s did not end within %.0f s" % (program, timeout))

    def prepare(self):
        if self.args.picture:
            shutil.copy(self.args.picture, self.input)
            return
        status = self.wine("varnel-sample.exe", [self.input, "800", "600"], timeout=60)
        expect(status == 0 and os.path.exists(self.input), "varnel-sample made no picture")

    def reference(self, session):
        """What varnel apply makes of the original picture with the block the session left."""
        expect(os.path.exists(session.block_file), "the host saved no parameter block")
        expect(os.path.exists(session.output), "the host wrote no picture")
        reference = os.path.join(session.work, "reference.png")
        status = self.wine("varnel.exe", ["apply", self.input, reference, "--params", session.block_file, "--quiet"],
                           log=os.path.join(session.work, "reference.log"),
                           timeout=max(5, session.deadline - time.monotonic()))
        expect(status == 0, "varnel apply with the session's block failed with status %d" % status)
        with open(session.output, "rb") as a, open(reference, "rb") as b:
            expect(a.read() == b.read(),
                   "the session's picture differs from varnel apply's with the same block (%s)" % session.work)

    def check_ok(self, session, report):
        expect(report["exit"] == 0 and report["result"] == 0,
               "the run ended with status %d, result %d" % (report["exit"], report["result"]))
        expect(report["imageChanged"], "OK left the picture as it was")
        self.reference(session)

    def check_cancel(self, session, report):
        expect(report["result"] == USER_CANCELLED, "the host received %d, not %d" % (report["result"], USER_CANCELLED))
        expect(not report["imageChanged"], "Cancel changed the picture")
        expect(not os.path.exists(session.output), "a cancelled run wrote a picture")

    def run(self, name, script):
        session = Session(self, name)
        started = time.monotonic()
        try:
            script(self, session)
            outcome = "ok"
        except Exception as failure:  # any fault of a session fails it, never the rest
            if not isinstance(failure, SessionFailure):
                traceback.print_exc()
            try:
                session.shot("failure")
            except Exception:
                pass
            outcome = "FAILED: %s" % failure
        finally:
            session.stop()
        self.results.append((name, outcome))
        print("session %-10s %5.1f s  %s" % (name, time.monotonic() - started, outcome), flush=True)


# The sessions ------------------------------------------------------------------------

def leaves_session(runner, s):
    """Leaves, its second preset, density about 60, the needle at about 90, seed 77, OK."""
    s.start("--seed", "5")
    s.shot("opened")
    leaves = s.category_row("Leaves")
    s.choose_category(leaves)
    listed = s.wait(lambda x: (lambda l: l and [i["text"] for i in l["items"]][:2] == ["Autumn", "Birch"] and l)(
        x.control(THUMBNAIL_LIST, x.dialog())), "the Leaves presets in the list")
    snapshot = s.last
    second = listed["items"][1]
    preview = snapshot.control(RESULT_PREVIEW, snapshot.dialog())["client"]
    before = s.screen(preview)
    s.click(centre(second["rect"]))
    s.wait(lambda x: x.control(THUMBNAIL_LIST, x.dialog())["selected"] == 1, "the second preset selected")
    s.changed(preview, before, "the result preview to show the preset")
    s.shot("leaves-second-preset")

    s.show_page("Settings")
    density = s.drag_slider(DENSITY, 60, 3)
    snapshot = s.wait(lambda x: x.page() == "Settings", "the Settings page")
    rotate = snapshot.control(ROTATE_IMAGES, snapshot.dialog())
    if not snapshot.control(ROTATION_ANGLE, snapshot.dialog())["enabled"]:
        s.click((rotate["rect"][0] + 6, centre(rotate["rect"])[1]))
        s.wait(lambda x: x.control(ROTATION_ANGLE, x.dialog())["enabled"], "the dial to come on")
    dial = s.control(ROTATION_ANGLE)["rect"]
    angle = drag_needle(s, dial, 90)
    density = s.settled_control(DENSITY)["position"]
    s.shot("settings-density-rotation")

    s.show_page("Options")
    seed = s.control(SEED)
    s.click(centre(seed["rect"]))
    # What is no number is refused from the clipboard, by the keys and the box's menu alike;
    # a number goes in through the menu.
    for text, expected in (("abc", "5"), ("9", "9")):
        with s.clipboard(text):
            s.key("ctrl+a")
            if text == "abc":
                s.key("ctrl+v")
            s.move(centre(seed["rect"]))
            s.xdo("click", 3)
            time.sleep(0.3)
            s.key("p")
            pasted = s.settled_control(SEED)["text"]
        expect(pasted == expected, "pasting %s left %r in the seed box" % (text, pasted))
    s.key("ctrl+a")
    s.type("77")
    s.wait(lambda x: x.control(SEED, x.dialog())["text"] == "77", "the seed box to read 77")
    s.shot("options-seed")

    s.show_page("Variation")
    s.click(centre(s.control(BLEND_MULTIPLY)["rect"]))
    s.wait(lambda x: x.control(BLEND_MULTIPLY, x.dialog()).get("checked") == 1, "Multiply to be chosen")
    hue = s.drag_slider(HUE_JITTER, 90, 6)
    hue = s.settled_control(HUE_JITTER)["position"]
    s.shot("variation-multiply-hue")
    s.click(centre(s.control(IDOK)["rect"]))
    report = s.finish()
    block = report["block"]
    expect(block["blendMode"] == 1, "the block's blend mode is %d, not multiply" % block["blendMode"])
    expect(block["hueJitter"] == hue, "the block's hue variation %d is not the slider's %d" % (block["hueJitter"], hue))
    expect(block["presetCategory"] == leaves, "the block's category is %d" % block["presetCategory"])
    expect(block["path"].replace("\\", "/").rsplit("/", 1)[-1].startswith("Birch"),
           "the block holds %s, not the second preset" % block["path"])
    expect(block["density"] == density, "the block's density %d is not the slider's %d" % (block["density"], density))
    expect(block["rotationAngle"] == angle, "the block's angle %s is not the dial's %d" % (block["rotationAngle"], angle))
    expect(block["randomSeed"] == 77, "the block's seed is %d" % block["randomSeed"])
    runner.check_ok(s, report)


def drag_needle(s, dial, target):
    """Takes the needle at its tip and drags it round the dial to the target angle."""
    def shown(snapshot):
        box = number_box(snapshot, dial)
        text = box["text"].strip() if box else ""
        return int(text) if text.isdigit() else None

    middle = ((dial[0] + dial[2]) / 2, (dial[1] + dial[3]) / 2)
    radius = (dial[2] - dial[0]) / 2 - 6
    # Straight up is 0, and the angle grows clockwise.
    def point(degrees):
        return (round(middle[0] + radius * math.sin(math.radians(degrees))),
                round(middle[1] - radius * math.cos(math.radians(degrees))))

    start = s.wait(shown, "the dial's number box")
    path = [point(start + (target - start) * i / 10) for i in range(11)]
    s.move(path[0])
    s.xdo("mousedown", 1)
    for p in path[1:]:
        s.move(p)
    s.xdo("mouseup", 1)
    return s.wait(lambda x: (lambda a: a if a is not None and abs(a - target) <= 5 else None)(shown(x)),
                  "the number box to show about %d" % target)


def number_box(snapshot, dial):
    """The dial's number box: the edit box right of the dial, level with it."""
    for w in snapshot.windows(snapshot.dialog()):
        r = w["rect"]
        if w["visible"] and w["class"].lower().find("edit") >= 0 and r[0] >= dial[2] - 2 and r[1] < dial[3] and r[3] > dial[1]:
            return w
    return None


def zoom_session(runner, s):
    """Zoom in twice, pan by dragging, drop the locator's frame in a corner, zoom out, Cancel."""
    snapshot = s.start("--preset", "Leaves/Autumn", "--density", "60", "--seed", "5")
    preview = snapshot.control(RESULT_PREVIEW, snapshot.dialog())["client"]
    s.shot("opened")
    for i in range(2):
        before = s.screen(preview)
        s.click(centre(s.control(ZOOM_IN)["rect"]))
        s.changed(preview, before, "the preview to zoom in")
        s.wait(lambda x: x.control(ZOOM_OUT, x.dialog())["enabled"] and x.control(LOCATOR, x.dialog())["enabled"],
               "zoom out and the locator to come on")
        s.shot("zoomed-in-%d" % (i + 1))
    before = s.screen(preview)
    middle = centre(preview)
    s.drag(middle, (middle[0] - 50, middle[1] - 40))
    s.changed(preview, before, "the preview to pan")
    s.shot("panned")
    before = s.screen(preview)
    locator = centre(s.control(LOCATOR)["rect"])
    s.move(locator)
    s.xdo("mousedown", 1)
    popup = s.wait(lambda x: x.top_level(lambda w: w["text"] == "Preview Locator" and w["visible"]),
                   "the locator's pop-up")
    time.sleep(0.3)
    frame = popup["windows"][0]["client"]
    s.shot("locator-open", popup)
    for i in range(1, 7):
        s.move((locator[0] + (frame[2] - 3 - locator[0]) * i // 6, locator[1] + (frame[3] - 3 - locator[1]) * i // 6))
    time.sleep(0.1)
    s.xdo("mouseup", 1)
    s.wait(lambda x: x.top_level(lambda w: w["text"] == "Preview Locator") is None, "the pop-up to close")
    s.changed(preview, before, "the preview to show the corner")
    s.shot("locator-corner")
    before = s.screen(preview)
    s.click(centre(s.control(ZOOM_OUT)["rect"]))
    s.changed(preview, before, "the preview to zoom out")
    s.shot("zoomed-out")
    s.click(centre(s.control(IDCANCEL)["rect"]))
    runner.check_cancel(s, s.finish())


def custom_folder_session(runner, s):
    """<Custom> with a folder of the user's pictures through the folder chooser, No overlap, OK."""
    # The pictures folder every user of the test prefix shares: a real folder of the prefix,
    # where the user's own picture folder may be a link to the home folder of whoever runs
    # the tests.
    pictures = os.path.join(runner.args.prefix, "drive_c", "users", "Public", "Pictures", "Stars")
    expect(os.path.realpath(pictures).startswith(os.path.realpath(runner.args.prefix) + os.sep),
           "%s lies outside the test prefix" % pictures)
    shutil.rmtree(pictures, ignore_errors=True)
    os.makedirs(pictures)
    library = os.path.join(runner.args.bin, "Varnel", "Stars and Sparkles")
    for name in sorted(os.listdir(library)):
        if name.lower().endswith(".png"):
            shutil.copy(os.path.join(library, name), pictures)
    snapshot = s.start("--preset", "Leaves/Autumn", "--density", "50", "--seed", "9")
    s.choose_category(s.category_row("<Custom>"))
    s.wait(lambda x: x.control(FILE_NAME, x.dialog()) is not None, "the custom controls")
    box = s.control(MULTIPLE_IMAGES)
    if box.get("checked") != 1:
        s.click((box["rect"][0] + 6, centre(box["rect"])[1]))
        s.wait(lambda x: x.control(MULTIPLE_IMAGES, x.dialog()).get("checked") == 1, "Multiple Images checked")
    s.shot("custom")
    s.click(centre(s.control(BROWSE)["rect"]))
    chooser = s.wait(lambda x: x.top_level(lambda w: w["class"] == "#32770" and w["text"] != "Varnel"),
                     "the folder chooser")
    s.shot("chooser", chooser)
    choose_in_tree(s, ["Desktop", "My Computer", "(C:)", "users", "Public", "Pictures", "Stars"])
    s.shot("chooser-stars", s.last.top_level(lambda w: w["class"] == "#32770" and w["text"] != "Varnel"))
    chooser = s.last.top_level(lambda w: w["class"] == "#32770" and w["text"] != "Varnel")
    s.click(centre(s.last.control(IDOK, chooser)["rect"]))
    s.wait(lambda x: x.control(FILE_NAME, x.dialog())["text"].endswith("Stars"), "the folder in the name box")
    s.show_page("Options")
    overlap = s.control(NO_OVERLAP)
    s.click((overlap["rect"][0] + 6, centre(overlap["rect"])[1]))
    s.wait(lambda x: x.control(NO_OVERLAP, x.dialog()).get("checked") == 1, "No overlap checked")
    s.shot("no-overlap")
    s.click(centre(s.control(IDOK)["rect"]))
    report = s.finish()
    block = report["block"]
    expect(block["path"].lower() == "c:\\users\\public\\pictures\\stars", "the block holds %s" % block["path"])
    expect(block["multipleImages"] == 1 and block["presetCategory"] == -1 and block["noOverlap"] == 1,
           "the block is not a custom folder without overlap: %s" % block)
    runner.check_ok(s, report)


def choose_in_tree(s, path):
    """Walks the chooser's tree along the path's labels, opening each level by its button."""
    def tree(snapshot):
        for w in snapshot.windows():
            if w["class"] == "SysTreeView32" and w["visible"]:
                return w
        return None

    def item(snapshot, label):
        t = tree(snapshot)
        for i in (t or {}).get("items", []):
            # A drive's label ends with its letter.
            if i["text"] == label or label.startswith("(") and i["text"].endswith(label):
                return i
        return None

    for depth, label in enumerate(path):
        found = s.wait(lambda x: item(x, label), "%s in the folder tree" % label)
        if depth == len(path) - 1:
            s.click(centre(found["rect"]))
            s.wait(lambda x: (item(x, label) or {}).get("selected"), "%s selected" % label)
        elif not found["expanded"]:
            # A double click on the label opens the level; listing a large folder takes a while.
            s.move(centre(found["rect"]))
            s.xdo("click", "--repeat", 2, "--delay", 80, 1)
            s.wait(lambda x: (item(x, label) or {}).get("expanded"), "%s opened" % label, timeout=60)


def keyboard_session(runner, s):
    """Keyboard only: Tab through every control of each page, the arrow keys change values and
    pages, Space ticks a box, Enter is OK."""
    snapshot = s.start("--preset", "Leaves/Autumn", "--density", "40", "--seed", "3")
    # Keys go to the window under the pointer when nothing manages the display.
    dialog_rect = snapshot.dialog()["windows"][0]["rect"]
    s.move((dialog_rect[0] + 4, dialog_rect[1] + 4))
    s.shot("opened")

    def listed(x):
        return [i["text"] for i in x.control(THUMBNAIL_LIST, x.dialog())["items"]]

    for page in PAGES:
        snapshot = s.wait(lambda x: x.page() == page and x.dialog()["focus"] != 0, "the %s page" % page)
        top = snapshot.dialog()
        stops = {w["handle"]: (w["class"], w["id"]) for w in snapshot.windows(top)
                 if w["tabstop"] and w["visible"] and w["enabled"] and w["handle"] != top["handle"]}
        visited = tab_cycle(s)
        missed = [stops[h] for h in stops if h not in visited]
        expect(not missed, "Tab never reached %s on the %s page" % (missed, page))
        expect(snapshot.control(TABS, top)["handle"] in visited, "Tab never reached the tab strip")
        s.shot("tabbed-%s" % page.lower())
        if page == "Image":
            leaves = listed(s.last)
            focus_on(s, CATEGORY_LIST)
            s.key("Down")
            s.wait(lambda x: listed(x) != leaves and x.control(THUMBNAIL_LIST, x.dialog())["selected"] == 0,
                   "Down in the categories to show the next category's presets")
            focus_on(s, THUMBNAIL_LIST)
            s.key("Down")
            snapshot = s.wait(lambda x: x.control(THUMBNAIL_LIST, x.dialog())["selected"] == 1,
                              "Down to select the next preset")
            chosen = snapshot.control(THUMBNAIL_LIST, snapshot.dialog())["items"][1]["text"]
        elif page == "Settings":
            start = s.control(DENSITY)["position"]
            focus_on(s, DENSITY)
            s.key("Right", "Right", "Right")
            s.wait(lambda x: x.control(DENSITY, x.dialog())["position"] == start + 3, "the arrows to move density")
            density = start + 3
        elif page == "Options":
            focus_on(s, NO_OVERLAP)
            s.key("space")
            s.wait(lambda x: x.control(NO_OVERLAP, x.dialog()).get("checked") == 1, "Space to tick No overlap")
        elif page == "Guides":
            focus_on(s, FOLLOW_EDGES)
            s.key("space")
            s.wait(lambda x: x.control(FOLLOW_EDGES, x.dialog()).get("checked") == 1,
                   "Space to tick Follow the edges")
        else:
            focus_on(s, FLIP_HORIZONTAL)
            s.key("space")
            s.wait(lambda x: x.control(FLIP_HORIZONTAL, x.dialog()).get("checked") == 1,
                   "Space to tick Flip horizontally")
            focus_on(s, OPACITY_JITTER)
            s.key("Right", "Right")
            s.wait(lambda x: x.control(OPACITY_JITTER, x.dialog())["position"] == 2,
                   "the arrows to move the opacity variation")
        s.shot("keys-%s" % page.lower())
        if page != PAGES[-1]:
            focus_on(s, TABS)
            s.key("Right")
    s.key("Return")
    report = s.finish()
    block = report["block"]
    expect(block["presetCategory"] == s.category_row("Leaves") + 1,
           "the block's category is %d, not the one after Leaves" % block["presetCategory"])
    expect(block["path"].replace("\\", "/").rsplit("/", 1)[-1].startswith(chosen),
           "the block holds %s, not %s" % (block["path"], chosen))
    expect(block["density"] == density, "the block's density is %d, not %d" % (block["density"], density))
    expect(block["noOverlap"] == 1, "No overlap did not reach the block")
    expect(block["flip"] == 1, "Flip horizontally did not reach the block")
    expect(block["opacityJitter"] == 2, "the block's opacity variation is %d, not 2" % block["opacityJitter"])
    expect(block["followEdges"] == 1, "Follow the edges did not reach the block")
    runner.check_ok(s, report)


def tour_session(runner, s):
    """The dialog on each of its pages, with the demo's preset and settings; ends with Cancel.

    Not one of the checks: scripts/docs-pictures takes its pictures for the README."""
    snapshot = s.start("--preset", "Leaves/Autumn", "--density", "40", "--scale", "1.2", "--random-scale", "2.5",
                       "--rotation", "20", "--random-rotation", "45", "--order-by-depth", "--fade-with-depth",
                       "--seed", "7")
    preview = snapshot.control(RESULT_PREVIEW, snapshot.dialog())["client"]
    for page in PAGES:
        s.show_page(page)
        # Out of the way, so that no control shows the pointer over it.
        s.move((snapshot.data["screen"][0] - 2, snapshot.data["screen"][1] - 2))
        settled(s, preview)
        s.shot(page.lower(), client=True)
    s.click(centre(s.control(IDCANCEL)["rect"]))
    runner.check_cancel(s, s.finish())


def settled(s, rect, timeout=20):
    """Waits until a screen rectangle shows the same pixels twice in a row."""
    deadline = time.monotonic() + timeout
    last = s.screen(rect)
    while time.monotonic() < deadline:
        time.sleep(0.3)
        now = s.screen(rect)
        if now == last:
            return
        last = now
    raise SessionFailure("the preview kept changing for %d s" % timeout)


def focused(snapshot):
    top = snapshot.dialog()
    return top["focus"] if top else 0


def tab_cycle(s):
    """Presses Tab until the focus comes back to where it started; the windows it visited."""
    first = s.wait(lambda x: focused(x) or None, "a control with the focus")
    visited = {first}
    for _ in range(40):
        sequence = s.last.data["sequence"]
        s.key("Tab")
        snapshot = s.wait(lambda x: x.data["sequence"] > sequence + 1 and x, "the focus after Tab")
        now = focused(snapshot)
        if now == first:
            return visited
        visited.add(now)
    raise SessionFailure("Tab never came back to the first control")


def focus_on(s, control_id):
    target = s.control(control_id)["handle"]
    for _ in range(40):
        if focused(s.last) == target:
            return
        sequence = s.last.data["sequence"]
        s.key("Tab")
        s.wait(lambda x: x.data["sequence"] > sequence + 1, "the focus after Tab")
    raise SessionFailure("Tab never reached control %d" % control_id)


SESSIONS = {
    "leaves": leaves_session,
    "zoom": zoom_session,
    "folder": custom_folder_session,
    "keyboard": keyboard_session,
}
# Run only when named.
EXTRA_SESSIONS = {"tour": tour_session}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True, help="the Windows build's bin folder")
    parser.add_argument("--screens", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--arch", required=True)
    parser.add_argument("--picture", help="an RGB PNG to filter instead of a generated sample")
    parser.add_argument("sessions", nargs="*", default=list(SESSIONS), help="|".join([*SESSIONS, *EXTRA_SESSIONS]))
    args = parser.parse_args()
    expect("DISPLAY" in os.environ, "the sessions need an X display (run them inside xvfb-run)")
    expect(shutil.which("xdotool") and shutil.which("import"),
           "the sessions need xdotool and ImageMagick's import (scripts/setup installs them)")
    runner = Runner(args)
    runner.prepare()
    for name in args.sessions:
        runner.run(name, {**SESSIONS, **EXTRA_SESSIONS}[name])
    failed = [name for name, outcome in runner.results if outcome != "ok"]
    print("%d sessions, %d failed" % (len(runner.results), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
