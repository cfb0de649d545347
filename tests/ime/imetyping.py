"""Types into the built program through IBus + Mozc with real keys and reads
the fields back through the accessibility bus. Run by run.sh inside its
private session: imetyping.py WORK (WORK/app/vendara is the program, HOME is
where it saves)."""
import configparser
import glob
import os
import subprocess
import sys
import time

import pyatspi

WORK = sys.argv[1]
HOME = os.environ["HOME"]
failures = []
saved_text = []  # shown when a check fails


def check(what, got, expected, wait=8.0):
    """Compares got (a value, or a function read again until it matches or
    `wait` seconds pass: the machine may be busy) with expected."""
    if callable(got):
        read, end = got, time.time() + wait
        got = read()
        while got != expected and time.time() < end:
            time.sleep(0.2)
            got = read()
    ok = got == expected
    print(f"{'ok  ' if ok else 'FAIL'} {what}: {got!r}" + ("" if ok else f" (expected {expected!r})"))
    if not ok:
        failures.append(what)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def keys(*names):
    xdotool("key", "--delay", 120, *names)
    settle()


def type_keys(text):
    xdotool("type", "--delay", 120, text)
    settle()


def settle(seconds=0.6):
    """Lets IBus, Mozc and the program answer the last key."""
    time.sleep(seconds)


def wait_until(condition, seconds=15.0):
    end = time.time() + seconds
    while not condition() and time.time() < end:
        time.sleep(0.2)


def walk(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from walk(child)


def find(root, role, name):
    end = time.time() + 10
    while time.time() < end:
        for o in walk(root):
            if o.getRoleName() == role and o.name == name and o.getState().contains(pyatspi.STATE_SHOWING):
                return o
        time.sleep(0.3)
    raise LookupError(f"no {role} named {name!r} on screen")


def text_of(obj):
    return obj.queryText().getText(0, -1)


def click(obj):
    x, y, w, h = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", x + min(w // 2, 12), y + h // 2, "click", 1)
    settle()


def focused(obj):
    return obj.getState().contains(pyatspi.STATE_FOCUSED)


def wait_for_app(pid):
    end = time.time() + 30
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid and app.childCount:
                return app
        time.sleep(0.3)
    raise RuntimeError("the program did not appear on the accessibility bus")


def open_section(app, caption):
    """Shows one section of the slip and closes the others it names."""
    box = find(app, "check box", caption)
    if not box.getState().contains(pyatspi.STATE_CHECKED):
        action = box.queryAction()
        action.doAction(0)
        settle()


def close_section(app, caption):
    box = find(app, "check box", caption)
    if box.getState().contains(pyatspi.STATE_CHECKED):
        box.queryAction().doAction(0)
        settle()


def saved_slip():
    files = glob.glob(os.path.join(HOME, "*.pvq"))
    if len(files) != 1:
        return None, None
    ini = configparser.ConfigParser(interpolation=None, strict=False)
    with open(files[0], encoding="cp932") as f:
        text = f.read()
    saved_text.append(text.replace("\r", ""))
    ini.read_string(text)
    # Section names are as case-blind as the keys.
    return os.path.basename(files[0]), {s.lower(): ini[s] for s in ini.sections()}


def main():
    program = subprocess.Popen([os.path.join(WORK, "app", "vendara")], cwd=HOME,
                               stdout=open(os.path.join(WORK, "app.log"), "w"), stderr=subprocess.STDOUT)
    try:
        app = wait_for_app(program.pid)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(program.pid)],
                                capture_output=True, text=True, check=True).stdout.split()[0]
        xdotool("windowfocus", "--sync", window)
        settle(1.5)

        # A name, converted by Mozc and committed with Enter.
        open_section(app, "お客様の設定")
        name = find(app, "text", "氏名")
        click(name)
        keys("Hiragana_Katakana")  # the input method on, in hiragana
        type_keys("satou")
        keys("space", "Return")
        type_keys("tarou")
        keys("space", "Return")
        check("氏名 is converted to kanji", lambda: all("\u4e00" <= c <= "\u9fff" for c in text_of(name) or "x"), True)
        converted = text_of(name)

        # The input method stays on; fields that turn it off take plain ASCII.
        slip_code = find(app, "spin button", "伝票番号")
        click(slip_code)
        keys("Home")
        type_keys("00000124")
        check("伝票番号 typed with the input method on", lambda: text_of(slip_code), "00000124")
        for caption, digits in (("郵便番号 上3桁", "100"), ("郵便番号 下4桁", "0001")):
            field = find(app, "text", caption)
            click(field)
            type_keys(digits)
            check(f"{caption} typed with the input method on", lambda: text_of(field), digits)
        close_section(app, "お客様の設定")

        open_section(app, "販売車両の設定")
        price = find(app, "text", "車両本体価格")
        mileage = find(app, "text", "走行距離")
        click(price)
        keys("ctrl+a")
        type_keys("2400000")
        click(mileage)
        check("車両本体価格 after a click on 走行距離", lambda: text_of(price), "2,400,000")
        check("走行距離 after the click", text_of(mileage), "0")

        inspection = find(app, "text", "車検期限")
        click(inspection)
        keys("Home")
        type_keys("20291211")
        grade = find(app, "text", "グレード")
        click(grade)
        check("車検期限 after a click elsewhere", lambda: text_of(inspection), "2029/12/11")
        check("走行距離 after the date", text_of(mileage), "0")

        # Text still being composed when the focus moves stays in its own field, once.
        inner = find(app, "text", "内装色")
        type_keys("toyota")
        click(inner)
        settle(1.5)  # room for a repeated commit from IBus to arrive
        check("グレード keeps its pre-edit after a click", lambda: text_of(grade), "とよた")
        check("内装色 after the click", text_of(inner), "")
        check("内装色 has the focus", focused(inner), True)

        # With Mozc, Tab while composing converts: the input method's key, not a move.
        type_keys("aka")
        keys("Tab")
        check("内装色 keeps the focus after a Tab taken by Mozc", focused(inner), True)
        outer = find(app, "text", "外装色")
        click(outer)
        settle(1.5)
        colour = text_of(inner)
        print(f"     内装色 holds {colour!r}")
        check("内装色 holds what was composed", bool(colour) and not colour.isascii(), True)
        check("外装色 after the click", text_of(outer), "")
        close_section(app, "販売車両の設定")

        # Saved as typed: the save dialog offers the slip's own file name.
        windows = app.childCount
        keys("ctrl+s")
        wait_until(lambda: app.childCount > windows)  # the save dialog
        settle(1)
        keys("Return")
        wait_until(lambda: glob.glob(os.path.join(HOME, "*.pvq")))
        settle(1)
        file_name, slip = saved_slip()
        check("the file name starts with the slip number", (file_name or "")[:9], "00000124-")
        if slip is not None:
            check("name saved", slip.get("cust", {}).get("name"), converted)
            check("postal code saved", (slip.get("cust", {}).get("zip1"), slip.get("cust", {}).get("zip2")),
                  ("100", "0001"))
            check("grade saved", slip.get("car", {}).get("grade"), "とよた")
            check("price saved", slip.get("car", {}).get("price"), "2400000")
        settings = configparser.ConfigParser(interpolation=None, strict=False)
        settings.read(os.path.join(WORK, "app", "vendara.ini"), encoding="cp932")
        check("the next slip number follows the saved one",
              settings.get("Slip", "No", fallback=None), "125")
    finally:
        if os.environ.get("VENDARA_IME_KEEP"):
            os.makedirs(os.path.join(HOME, "shots"), exist_ok=True)
            subprocess.run(["import", "-window", "root", os.path.join(HOME, "shots", "end.png")])
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
    if failures:
        print("".join(saved_text) + (open(os.path.join(WORK, "app.log")).read()))
        print(f"{len(failures)} check(s) failed: {', '.join(failures)}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
