"""The three browser engines the page is played in, each behind the same few
moves a player makes: Chromium and WebKitGTK through Selenium, Firefox ESR
through the WebDriver BiDi it speaks itself, since Debian has no
geckodriver. Every engine runs on this machine only, with a profile of its
own, and is gone when its page closes."""

import base64
import inspect
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading
import time

import websocket
from selenium import webdriver
from selenium.common.exceptions import JavascriptException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys

ENGINES = ("chromium", "firefox", "webkit")
# Generous, since a loaded machine is slow; every wait ends as soon as what
# it waits for is there. An answer over BiDi may take longer still while
# Firefox starts; only a browser that hangs ever waits that long.
WAIT_SECONDS = 60
ANSWER_SECONDS = 240
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
WINDOW = (700, 560)

# What the page's policy has the browser refuse, recorded from the moment a
# document exists, where the driver can run a script that early: Chromium
# over its DevTools protocol, Firefox over BiDi.
WATCH_POLICY = """
window.refusedFromStart = [];
addEventListener("securitypolicyviolation",
                 (event) => refusedFromStart.push(event.effectiveDirective), true);
"""
# Every refusal: the watch's where it runs, the page's own record (early.js)
# where it cannot; and every style element the browser refused to take,
# which may have been refused before the page's record began.
REFUSED = """
const own = (document.documentElement.dataset.refused ?? "").split(" ").filter(Boolean);
const styles = [...document.querySelectorAll("style")].filter((style) => !style.sheet)
    .map(() => "style-src-elem");
return [...(window.refusedFromStart ?? own), ...styles];
"""


class ScriptError(RuntimeError):
    """A script run in the page threw."""


def start_chromium(*flags, loaded=True):
    """Chromium; with `loaded` false, a navigation returns at once rather
    than once the page has loaded."""
    options = webdriver.ChromeOptions()
    if not loaded:
        options.page_load_strategy = "none"
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--disable-gpu", "--no-first-run", "--disable-sync",
                 "--disable-background-networking", "--disable-component-update",
                 f"--window-size={WINDOW[0]},{WINDOW[1]}", *flags):
        options.add_argument(flag)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    service = webdriver.chrome.service.Service("/usr/bin/chromedriver")
    return webdriver.Chrome(service=service, options=options)


class Xvfb:
    """A virtual X server on a display number it picks itself."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"

    def close(self):
        self.process.kill()
        self.process.wait()


# Each engine's own switch that takes WebAssembly away, as hardened modes
# do: a V8 without its compilers has none; a Firefox preference; and a
# JavaScriptCore option, read from the web process's environment (called
# useWebAssembly before JavaScriptCore renamed it).
CHROMIUM_WITHOUT_WEBASSEMBLY = "--js-flags=--jitless"
FIREFOX_WITHOUT_WEBASSEMBLY = 'user_pref("javascript.options.wasm", false);\n'
WEBKIT_WITHOUT_WEBASSEMBLY = ("JSC_useWasm", "0")


def start_webkit(display, loaded=True, webassembly=True):
    """WebKitGTK's MiniBrowser under automation, on the given X display."""
    os.environ["DISPLAY"] = display
    name, value = WEBKIT_WITHOUT_WEBASSEMBLY
    if webassembly:
        os.environ.pop(name, None)
    else:
        os.environ[name] = value
    options = webdriver.WebKitGTKOptions()
    if not loaded:
        options.page_load_strategy = "none"
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    # Selenium 4.8 (Debian 12) takes the driver's path; later ones a service.
    if "service" in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
        service = webdriver.webkitgtk.service.Service("/usr/bin/WebKitWebDriver")
        driver = webdriver.WebKitGTK(options=options, service=service)
    else:
        driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
    driver.set_window_rect(0, 0, *WINDOW)
    return driver


class SeleniumPage:
    """The page in Chromium or WebKitGTK."""

    def __init__(self, engine, url, *flags, loaded=True, webassembly=True, hidden=()):
        self.engine = engine
        if hidden and engine != "chromium":
            raise ValueError("only Chromium can hide a global before the page's scripts run")
        self.server = Xvfb() if engine == "webkit" else None
        if not webassembly:
            flags += (CHROMIUM_WITHOUT_WEBASSEMBLY,)
        try:
            self.driver = (start_chromium(*flags, loaded=loaded) if engine == "chromium"
                           else start_webkit(self.server.display, loaded, webassembly))
        except BaseException:
            self.close_server()
            raise
        try:
            # WebKitGTK's driver can run nothing before the page's own
            # scripts; there the page's record stands in.
            if engine == "chromium":
                hide = "".join(f"delete globalThis.{name};\n" for name in hidden)
                self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                            {"source": WATCH_POLICY + hide})
            self.driver.get(url)
        except BaseException:
            self.close()
            raise

    def close(self):
        try:
            self.driver.quit()
        finally:
            self.close_server()

    def close_server(self):
        if self.server:
            self.server.close()

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def click_at(self, x, y):
        """A click at a point of the viewport."""
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def press_at(self, x, y):
        """The mouse button pressed at a point, and held down."""
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).pointer_down()
        actions.perform()

    def release_press(self):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.pointer_up()
        actions.perform()

    def keys(self, *keys, shift=False):
        chain = ActionChains(self.driver)
        if shift:
            chain.key_down(Keys.SHIFT)
        chain.send_keys(*keys)
        if shift:
            chain.key_up(Keys.SHIFT)
        chain.perform()

    def errors(self):
        """What the page reported as errors. WebKitGTK's driver keeps no
        log; the page's own error events since it was drawn stand in."""
        if self.engine == "chromium":
            return [entry["message"] for entry in self.driver.get_log("browser")
                    if entry["level"] == "SEVERE"]
        return self.script("return window.errorsSeen")

    def refused(self):
        """What the page's policy had the browser refuse, by directive."""
        return sorted(self.script(REFUSED))

    def title(self):
        return self.driver.title

    def screenshot(self):
        return self.driver.get_screenshot_as_png()


FIREFOX_KEYS = {Keys.TAB: "\ue004", Keys.SPACE: " ", Keys.ARROW_UP: "\ue013",
                Keys.ARROW_DOWN: "\ue015", Keys.SHIFT: "\ue008"}


class FirefoxPage:
    """The page in headless Firefox ESR, driven over WebDriver BiDi."""

    def __init__(self, engine, url, *flags, loaded=True, webassembly=True):
        self.engine = engine
        self.home = tempfile.mkdtemp(prefix="zimarela-firefox-")
        self.browser = None
        self.socket = None
        if not webassembly:
            with open(os.path.join(self.home, "user.js"), "w", encoding="utf-8") as prefs:
                prefs.write(FIREFOX_WITHOUT_WEBASSEMBLY)
        try:
            self.start(url, "complete" if loaded else "none")
        except BaseException:
            self.close()
            raise

    def start(self, url, wait):
        env = {**os.environ, "HOME": self.home, "MOZ_CRASHREPORTER_DISABLE": "1"}
        env.pop("DISPLAY", None)
        self.browser = subprocess.Popen(
            ["firefox-esr", "--headless", "--no-remote", "--profile", self.home,
             "--remote-debugging-port", "0", "about:blank"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        address = None
        for line in self.browser.stderr:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                address = found.group(1)
                break
        if address is None:
            raise RuntimeError("Firefox did not offer WebDriver BiDi")
        # The rest of what it says is read and dropped, so that a full pipe
        # never stops it.
        threading.Thread(target=self.browser.stderr.read, daemon=True).start()
        # Firefox refuses a connection that names an origin.
        self.socket = websocket.create_connection(address.rstrip("/") + "/session",
                                                  suppress_origin=True, timeout=ANSWER_SECONDS)
        self.next_id = 0
        self.events = []
        self.send("session.new", capabilities={})
        self.send("session.subscribe", events=["log.entryAdded"])
        # The window Firefox starts with never becomes the active one when
        # headless, so keys reach the page but Space and Enter do nothing.
        # A window opened over BiDi is raised and focused, as a desktop
        # focuses a new window, and plays as a player's does.
        self.context = self.send("browsingContext.create", type="window")["context"]
        self.send("browsingContext.setViewport", context=self.context,
                  viewport={"width": WINDOW[0], "height": WINDOW[1]})
        self.send("script.addPreloadScript", functionDeclaration=f"() => {{ {WATCH_POLICY} }}")
        self.send("browsingContext.navigate", context=self.context, url=url, wait=wait)

    def send(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") != self.next_id:
                self.events.append(message)
                continue
            if message.get("type") == "error" or "error" in message:
                raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
            return message["result"]

    def close(self):
        if self.socket:
            try:
                self.send("session.end")
            except (OSError, RuntimeError, websocket.WebSocketException):
                pass
            self.socket.close()
        if self.browser:
            self.browser.kill()
            self.browser.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def script(self, code, *args):
        """Runs a function body as Selenium's execute_script does, with
        `arguments` and `return`; values travel as JSON."""
        result = self.send(
            "script.callFunction", target={"context": self.context}, awaitPromise=True,
            functionDeclaration=f"(args) => JSON.stringify((function () {{ {code} }})"
                                ".apply(null, JSON.parse(args)) ?? null)",
            arguments=[{"type": "string", "value": json.dumps(list(args))}])
        if result["type"] == "exception":
            raise ScriptError(result["exceptionDetails"]["text"])
        return json.loads(result["result"]["value"])

    def pointer(self, *actions):
        self.send("input.performActions", context=self.context, actions=[{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
            "actions": list(actions)}])

    def click_at(self, x, y):
        self.pointer({"type": "pointerMove", "x": int(x), "y": int(y)},
                     {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0})

    def press_at(self, x, y):
        self.pointer({"type": "pointerMove", "x": int(x), "y": int(y)},
                     {"type": "pointerDown", "button": 0})

    def release_press(self):
        self.pointer({"type": "pointerUp", "button": 0})

    def keys(self, *keys, shift=False):
        presses = []
        for key in keys:
            value = FIREFOX_KEYS.get(key, key)
            presses += [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]
        if shift:
            presses = ([{"type": "keyDown", "value": FIREFOX_KEYS[Keys.SHIFT]}] + presses +
                       [{"type": "keyUp", "value": FIREFOX_KEYS[Keys.SHIFT]}])
        self.send("input.performActions", context=self.context,
                  actions=[{"type": "key", "id": "keyboard", "actions": presses}])
        self.send("input.releaseActions", context=self.context)

    def errors(self):
        return [event["params"].get("text") for event in self.events
                if event.get("method") == "log.entryAdded" and event["params"]["level"] == "error"]

    def refused(self):
        return sorted(self.script(REFUSED))

    def title(self):
        return self.script("return document.title")

    def screenshot(self):
        shot = self.send("browsingContext.captureScreenshot", context=self.context)
        return base64.b64decode(shot["data"])


def open_page(engine, url, *flags, ready=("drawn", "live"), loaded=True, webassembly=True,
              hidden=()):
    """The page, once it is drawn and the game answers: a click from the
    test may then be followed at once by a look at what it did. With
    `loaded` false, the page may still be arriving when it is handed on;
    with `webassembly` false, the engine has none; the globals `hidden`
    names (Chromium only) are gone before the page's scripts run."""
    page = (FirefoxPage if engine == "firefox" else SeleniumPage)(
        engine, url, *flags, loaded=loaded, webassembly=webassembly,
        **({"hidden": hidden} if hidden else {}))
    try:
        wait_for(page, lambda: page.script(
            "return arguments[0].every((flag) => flag in document.documentElement.dataset)",
            list(ready)))
        # Errors from here on; any before would have kept the page from
        # drawing, which the wait above would have caught.
        page.script("""window.errorsSeen = [];
            addEventListener("error", (event) => errorsSeen.push(String(event.message)));
            addEventListener("unhandledrejection", (event) => errorsSeen.push(String(event.reason)));""")
    except BaseException:
        page.close()
        raise
    return page


def arriving(page):
    """Whether the page may still be on its way: its document not yet
    complete, or not even there for a script to ask."""
    try:
        return page.script("return document.readyState") != "complete"
    except (ScriptError, JavascriptException):
        return True


def wait_for(page, condition):
    """Waits until the condition holds, polling; fails after WAIT_SECONDS.
    While the page is still arriving, a condition that throws, as one that
    reads a document the browser has not made yet does, is not so yet;
    once the page is complete, a condition that throws fails at once."""
    deadline = time.monotonic() + WAIT_SECONDS
    last = None
    while True:
        try:
            value = condition()
        except (ScriptError, JavascriptException) as error:
            if not arriving(page):
                raise
            value, last = None, error
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"still not so after {WAIT_SECONDS} s" +
                               (f"; last, while the page arrived: {last}" if last else ""))
        time.sleep(0.05)
