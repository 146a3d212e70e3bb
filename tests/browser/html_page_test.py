#!/usr/bin/python3
"""usage: html_page_test.py KLU -- the page of `klu export --html` in headless Chromium: no hint
shows before its press, each press shows the next; reveals survive a reload and a cancelled "Hide
every hint"; links, hot spots, Back, Tab and Enter work; nothing is fetched from elsewhere."""
import html
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

OUTLINE = """title: Tide <&> Test
subject: Shore
    question: How do I open the gate?
        hint: First clue about <b>gates</b> & locks.
        hint: Second clue.
        hint: Third clue: the answer.
    nested: Where is the boat?
        > Look near the pier.
        -
        > It is under the tarp.
        nested: What is under the tarp?
            > Only the boat.
            -
            text: The tarp
                > Blue and torn.
    link: Stuck at the gate? -> How do I open the gate?
    link: Under the tarp? -> The tarp
    picture: The pier = pier.png
        spot: 20 0 40 20
            text: The shed
                > A shed full of nets.
        spot: 0 0 20 20
            overlay: Lamp = lamp.png at 0 0
"""
GATE_Q, BOAT_Q = "How do I open the gate?", "Where is the boat?"
TARP_Q, TARP = "What is under the tarp?", ["Only the boat.", "Blue and torn."]
GATE = ["First clue about <b>gates</b> & locks.", "Second clue.", "Third clue: the answer."]
BOAT = ["Look near the pier.", "It is under the tarp."]
SECRETS = GATE + BOAT + TARP
# After each press of the gate question: its button and what the question shows.
PRESSES = [("Hint 1 of 3.  Another hint?", GATE[:1]), ("Hint 2 of 3.  Another hint?", GATE[:2]),
           ("No more hints.", GATE), ("No more hints.", GATE)]


def check(condition, message):
    if not condition:
        sys.exit("FAIL: " + message)


def reloads_to(driver, condition, message):
    """Reloads until condition holds: a reload straight after a press can overtake Chromium's
    own schedule of storing local storage."""
    from selenium.webdriver.support.ui import WebDriverWait
    for _ in range(20):
        driver.refresh()
        try:
            WebDriverWait(driver, 0.5).until(lambda _: condition())
            return
        except Exception:
            pass
    check(False, message() if callable(message) else message)


def png(width, height, rgb):
    def chunk(kind, data):
        crc = struct.pack(">I", zlib.crc32(kind + data))
        return struct.pack(">I", len(data)) + kind + data + crc
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def export_page(klu, folder):
    (folder / "pier.png").write_bytes(png(40, 20, (40, 90, 160)))
    (folder / "lamp.png").write_bytes(png(20, 20, (250, 210, 60)))
    (folder / "tide.outline").write_text(OUTLINE)
    for command in (["compile", "tide.outline", "tide.klu"],
                    ["export", "--html", "tide.klu", "tide.html"]):
        run = subprocess.run([klu] + command, cwd=folder, capture_output=True, text=True)
        check(run.returncode == 0, f"klu {' '.join(command)}: {run.returncode} {run.stderr}")
    return folder / "tide.html"


def start_browser():
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        options = Options()
        for argument in "--headless=new --no-sandbox --disable-gpu --disable-dev-shm-usage".split():
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        # A phone's screen: narrower than any desktop window may be.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 360, "height": 800, "deviceScaleFactor": 1, "mobile": True})
        return driver
    except Exception as error:  # a missing package, driver or browser: say which
        check(False, "Chromium could not be started through Selenium (scripts/setup.sh installs "
             f"chromium, chromium-driver and python3-selenium): {error}")


def heading(element):
    return element.find_element("css selector", "h1, h2, h3, h4, h5, h6").text


def question(driver, title):
    for element in driver.find_elements("css selector", '[data-kind="question"]'):
        if heading(element).endswith(title):
            return element
    check(False, f"no question {title!r} on the page")


def hints_of(driver, title):
    return [hint.text for hint in
            question(driver, title).find_elements("css selector", ":scope > .parts > .hint")]


def answer_hide_all(driver, accept):
    driver.find_element("id", "hide-all").click()
    prompt = driver.switch_to.alert  # raises when Hide every hint did not ask first
    prompt.accept() if accept else prompt.dismiss()


def press(driver, title):
    button = question(driver, title).find_element("css selector", ":scope > button")
    button.click()
    return button.get_attribute("textContent")


def check_nothing_shown(driver, source):
    for secret in SECRETS:
        check(secret not in source and html.escape(secret) not in source,
              f"the source shows the hint {secret!r}")
    check(heading(driver.find_element("tag name", "header")) == "Tide <&> Test",
          "the title is not escaped")
    body = driver.find_element("tag name", "body").text
    check(not driver.find_elements("css selector", ".hint")
          and all(secret not in body for secret in SECRETS), "a hint shows before any press")
    check(driver.execute_script("return document.documentElement.scrollWidth") <= 360,
          "the page is wider than a 360 px phone")
    check(not driver.find_element("css selector", ".overlay").is_displayed(),
          "the overlay shows before its spot is opened")


def check_reveals(driver):
    for button_text, shown in PRESSES:
        check(press(driver, GATE_Q) == button_text, f"the button does not read {button_text!r}")
        check(hints_of(driver, GATE_Q) == shown, f"after a press: not {shown}")
    check(driver.find_element("id", "live").get_attribute("textContent") == GATE[-1],
          "the last hint was not announced")
    press(driver, BOAT_Q)
    check(hints_of(driver, BOAT_Q) == BOAT[:1], "the nested hint's first part")
    check(BOAT[1] not in driver.page_source, "a later part of a nested hint is in the page")

    reloads_to(driver, lambda: hints_of(driver, GATE_Q) == GATE,
               lambda: "the reveals were lost on reload; local storage holds "
               + driver.execute_script("return JSON.stringify(localStorage)"))
    check(hints_of(driver, BOAT_Q) == BOAT[:1], "the nested hint changed on reload")
    press(driver, BOAT_Q)
    check(press(driver, TARP_Q) == "Hint 1 of 2.  Another hint?"
          and hints_of(driver, TARP_Q) == TARP[:1], "the question inside a hint does not reveal")
    answer_hide_all(driver, accept=False)
    reloads_to(driver, lambda: hints_of(driver, GATE_Q) == GATE, "a cancelled Hide forgot hints")
    check(hints_of(driver, TARP_Q) == TARP[:1], "a question inside a hint forgot its hint")
    driver.find_element("css selector", 'a.spot[aria-label="Lamp"]').click()
    answer_hide_all(driver, accept=True)
    check(not driver.find_element("css selector", ".overlay").is_displayed(),
          "Hide every hint left the overlay painted")
    reloads_to(driver, lambda: driver.find_elements("css selector", "h1")
               and not driver.find_elements("css selector", ".hint"),
               "Hide every hint left hints on the page")


def check_targets(driver):
    # A target in a hint not yet revealed: the innermost question shown that holds it.
    targets = [("link text", "Stuck at the gate?", GATE_Q),
               ("link text", "Under the tarp?", BOAT_Q),
               ("css selector", 'a.spot[aria-label="The shed"]', "The shed")]
    for how, what, title in targets:
        driver.find_element(how, what).click()
        target = driver.execute_script(
            "return location.hash ? document.querySelector(location.hash) : null")
        check(target is not None and title in heading(target), f"{what} did not lead to {title}")
        driver.back()
        check(driver.execute_script("return location.hash") == "",
              f"Back did not return from {title}")
    from selenium.webdriver.common.keys import Keys
    driver.find_element("link text", "Under the tarp?").send_keys(Keys.TAB)
    lamp = driver.switch_to.active_element
    lamp.send_keys(Keys.TAB)
    order = [lamp.get_attribute("aria-label"),
             driver.switch_to.active_element.get_attribute("aria-label")]
    check(order == ["Lamp", "The shed"], f"Tab reached the spots as {order}")
    lamp.send_keys(Keys.ENTER)
    check(driver.find_element("css selector", ".overlay").is_displayed(),
          "Enter on its spot did not paint the overlay")


def check_nothing_fetched(driver):
    fetched = driver.execute_script("return performance.getEntriesByType('resource').length")
    check(fetched == 0, f"the page fetched {fetched} resources")
    errors = [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    check(not errors, f"the browser reported {errors}")


def main():
    with tempfile.TemporaryDirectory() as temp:
        page = export_page(sys.argv[1], Path(temp))
        driver = start_browser()
        try:
            driver.get(page.as_uri())
            check_nothing_shown(driver, page.read_text(encoding="utf-8"))
            check_reveals(driver)
            check_targets(driver)
            check_nothing_fetched(driver)
        finally:
            driver.quit()
    print("PASS")


if __name__ == "__main__":
    main()
