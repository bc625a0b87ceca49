"""The two browsers the page is tested in, behind one facade: Chromium through Debian's selenium
and chromedriver, Firefox ESR through WebDriver BiDi, which it speaks itself (no geckodriver).
A test written against the facade runs in both: it opens the page, runs scripts in it, presses
real keys, clicks with a real pointer, gives files to file inputs and reads downloads.
"""

import itertools
import json
import pathlib
import socket
import subprocess
import time
import warnings

import websocket
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

# The connection attempts made while Firefox starts leave sockets for the collector to close.
warnings.simplefilter("ignore", ResourceWarning)

# WebDriver's key codes, by the names the tests use.
KEYS = {"Tab": "\ue004", "Enter": "\ue007", "Escape": "\ue00c", "Delete": "\ue017",
        "Control": "\ue009", "Home": "\ue011", "End": "\ue010", "ArrowLeft": "\ue012",
        "ArrowUp": "\ue013", "ArrowRight": "\ue014", "ArrowDown": "\ue015"}

# An async function's body run with the test's arguments as `arguments`; its value as JSON, a
# failure as its message, so that both browsers answer alike.
SCRIPT = ("(async function () {{ {body} }}).apply(null, {args})"
          ".then((v) => JSON.stringify({{value: v === undefined ? null : v}}),"
          " (e) => JSON.stringify({{failed: String(e && e.stack || e)}}))")


def key_actions(keys):
    """WebDriver key actions for `keys`: names in KEYS, "Control+x" chords, or text."""
    actions = []
    for key in keys:
        if "+" in key and key.split("+")[0] in KEYS:
            held, pressed = key.split("+", 1)
            codes = [KEYS[held], KEYS.get(pressed, pressed)]
            actions += [{"type": "keyDown", "value": c} for c in codes]
            actions += [{"type": "keyUp", "value": c} for c in reversed(codes)]
        else:
            for c in [KEYS[key]] if key in KEYS else key:
                actions += [{"type": "keyDown", "value": c}, {"type": "keyUp", "value": c}]
    return actions


def answer(text):
    result = json.loads(text)
    if "failed" in result:
        raise RuntimeError(result["failed"])
    return result["value"]


class Browser:
    name = ""

    def __init__(self, downloads):
        self.downloads = pathlib.Path(downloads)

    def open(self, url):
        """Opens the page afresh at `url`; True once its engine is ready."""
        self.navigate("about:blank")
        self.navigate(url)
        return self.js("return window.discSpring ? await window.discSpring.ready : false")

    def type(self, element_id, text):
        """Replaces what a box holds by `text`, typed as a user types it."""
        self.keys(element_id, "Control+a", "Delete", *([text] if text else []))

    def downloaded(self, name, seconds=30):
        """The bytes of a download, once it is whole; the file is removed."""
        path = self.downloads / name
        deadline = time.monotonic() + seconds
        while not path.exists() or any(self.downloads.glob("*.part")) or any(
                self.downloads.glob("*.crdownload")):
            if time.monotonic() > deadline:
                raise TimeoutError(f"{name} was not downloaded")
            time.sleep(0.05)
        data = path.read_bytes()
        path.unlink()
        return data


class Chromium(Browser):
    name = "Chromium"

    def __init__(self, downloads):
        super().__init__(downloads)
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", "--disable-default-apps", "--window-size=1400,1000",
                         "--lang=zh-CN"):
            options.add_argument(argument)
        options.add_experimental_option("prefs", {"intl.accept_languages": "zh-CN"})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(300)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": str(self.downloads)})

    def navigate(self, url):
        self.driver.get(url)

    def js(self, body, *args):
        return answer(self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];" +
            SCRIPT.format(body=body, args="arguments[0]") + ".then(done);", list(args)))

    def element(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def keys(self, element_id, *keys):
        target = (self.driver.switch_to.active_element if element_id is None
                  else self.driver.find_element(By.ID, element_id))
        for key in keys:
            if "+" in key and key.split("+")[0] in KEYS:
                held, pressed = key.split("+", 1)
                target.send_keys(KEYS[held], KEYS.get(pressed, pressed))
            else:
                target.send_keys(KEYS.get(key, key))

    def type(self, element_id, text):
        # Focused and selected first: WebDriver moves the caret to the end only of a box not yet
        # focused, and a Ctrl+A right after a dialog closes may select nothing.
        box = self.driver.find_element(By.ID, element_id)
        self.driver.execute_script("arguments[0].focus(); arguments[0].select()", box)
        box.send_keys(KEYS["Delete"], text)

    def click(self, selector):
        self.element(selector).click()

    def hover(self, selector):
        ActionChains(self.driver).move_to_element(self.element(selector)).perform()

    def give_file(self, selector, path):
        chooser = self.element(selector)
        self.driver.execute_script("arguments[0].hidden = false", chooser)
        chooser.send_keys(str(path))
        self.driver.execute_script("arguments[0].hidden = true", chooser)

    def close(self):
        self.driver.quit()


class Firefox(Browser):
    name = "Firefox"

    def __init__(self, downloads, profile):
        super().__init__(downloads)
        # Downloads go to the test's folder without asking.
        prefs = {"browser.download.dir": str(self.downloads), "browser.download.folderList": 2,
                 "browser.download.useDownloadDir": True,
                 "browser.download.always_ask_before_handling_new_types": False,
                 "browser.download.start_downloads_in_tmp_dir": False,
                 "intl.accept_languages": "zh-CN"}
        pathlib.Path(profile, "user.js").write_text("".join(
            f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items()))
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--remote-debugging-port", str(port), "--profile",
             str(profile), "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.ids = itertools.count(1)
        for _ in range(300):
            try:
                self.socket = websocket.create_connection(
                    f"ws://127.0.0.1:{port}/session", suppress_origin=True, timeout=300)
                break
            except OSError:
                time.sleep(0.1)
        else:
            raise RuntimeError("Firefox did not open its WebDriver BiDi port")
        self.send("session.new", {"capabilities": {}})
        # Headless, the window Firefox opens with never has the focus, so no focus event fires
        # and Enter activates no button; a window opened over the session has it.
        self.context = self.send("browsingContext.create", {"type": "window"})["context"]
        self.send("browsingContext.setViewport", {"context": self.context,
                                                  "viewport": {"width": 1400, "height": 1000}})

    def send(self, method, params):
        asked = next(self.ids)
        self.socket.send(json.dumps({"id": asked, "method": method, "params": params}))
        while True:
            said = json.loads(self.socket.recv())
            if said.get("id") == asked:
                if said.get("type") == "error":
                    raise RuntimeError(f"{method}: {said.get('message')}")
                return said["result"]

    def navigate(self, url):
        self.send("browsingContext.navigate", {"context": self.context, "url": url,
                                               "wait": "complete"})

    def evaluate(self, expression):
        result = self.send("script.evaluate", {"expression": expression, "awaitPromise": True,
                                               "target": {"context": self.context}})
        if result["type"] != "success":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return result["result"]

    def js(self, body, *args):
        return answer(self.evaluate(SCRIPT.format(body=body, args=json.dumps(list(args))))["value"])

    def node(self, selector):
        found = self.evaluate(f"document.querySelector({json.dumps(selector)})")
        if found["type"] != "node":
            raise RuntimeError(f"no element {selector}")
        return {"sharedId": found["sharedId"]}

    def perform(self, *sources):
        self.send("input.performActions", {"context": self.context, "actions": list(sources)})
        self.send("input.releaseActions", {"context": self.context})

    def keys(self, element_id, *keys):
        if element_id is not None:
            self.js("document.getElementById(arguments[0]).focus()", element_id)
        self.perform({"type": "key", "id": "keyboard", "actions": key_actions(keys)})

    def pointer(self, selector, *actions):
        self.js("document.querySelector(arguments[0]).scrollIntoView({block: 'nearest'})",
                selector)
        origin = {"type": "element", "element": self.node(selector)}
        self.perform({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                      "actions": [{"type": "pointerMove", "x": 0, "y": 0, "origin": origin},
                                  *actions]})

    def click(self, selector):
        self.pointer(selector, {"type": "pointerDown", "button": 0},
                     {"type": "pointerUp", "button": 0})

    def hover(self, selector):
        self.pointer(selector)

    def give_file(self, selector, path):
        self.send("input.setFiles", {"context": self.context, "element": self.node(selector),
                                     "files": [str(path)]})

    def close(self):
        self.socket.close()
        self.process.terminate()
        self.process.wait(30)
