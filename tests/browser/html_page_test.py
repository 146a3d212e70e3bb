#!/usr/bin/python3
"""The page of `klu export --html` in a real browser (headless Chromium through Selenium).

usage: html_page_test.py KLU

A hint file is compiled from the outline below, exported, and opened from disk: nothing of a
hint may show on screen or in the source before its press; each press shows one more hint, in
order, with the reader's button texts; reveals survive a reload until "Hide every hint"; a link
and a hot spot lead to their targets and Back returns; nothing is fetched from elsewhere.
"""
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
        question: What is under the tarp?
            hint: Only the boat.
    link: Stuck at the gate? -> How do I open the gate?
    picture: The pier = pier.png
        spot: 0 0 20 20
            overlay: Lamp = lamp.png at 0 0
        spot: 20 0 40 20
            text: The shed
                > A shed full of nets.
"""
GATE = ["First clue about <b>gates</b> & locks.", "Second clue.", "Third clue: the answer."]
BOAT = ["Look near the pier.", "It is under the tarp."]
SECRETS = GATE + BOAT + ["Only the boat."]
# After each press of the gate question: its button and what the question shows.
PRESSES = [
    ("Hint 1 of 3.  Another hint?", GATE[:1]),
    ("Hint 2 of 3.  Another hint?", GATE[:2]),
    ("No more hints.", GATE),
    ("No more hints.", GATE),
]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def settles(driver, condition, message):
    """Waits a little for what a reload or a click brings, as a person would."""
    from selenium.webdriver.support.ui import WebDriverWait
    try:
        WebDriverWait(driver, 5).until(lambda _: condition())
    except Exception:
        fail(message)


def png(width, height, rgb):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows))
            + chunk(b"IEND", b""))


def export_page(klu, folder):
    (folder / "pier.png").write_bytes(png(40, 20, (40, 90, 160)))
    (folder / "lamp.png").write_bytes(png(20, 20, (250, 210, 60)))
    (folder / "tide.outline").write_text(OUTLINE)
    for command in (["compile", "tide.outline", "tide.klu"], ["export", "--html", "tide.klu", "tide.html"]):
        run = subprocess.run([klu] + command, cwd=folder, capture_output=True, text=True)
        check(run.returncode == 0, f"klu {' '.join(command)}: {run.returncode} {run.stderr}")
    return folder / "tide.html"


def start_browser():
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        options = Options()
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        # A phone's screen: narrower than any desktop window may be.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 360, "height": 800, "deviceScaleFactor": 1, "mobile": True})
        return driver
    except Exception as error:  # a missing package, driver or browser: say which
        fail("Chromium could not be started through Selenium (scripts/setup.sh installs chromium, "
             f"chromium-driver and python3-selenium): {error}")


def question(driver, title):
    for element in driver.find_elements("css selector", '[data-kind="question"]'):
        if element.find_element("css selector", ":scope > h1, :scope > h2, :scope > h3").text.endswith(title):
            return element
    fail(f"no question {title!r} on the page")


def hints_of(element):
    return [hint.text for hint in element.find_elements("css selector", ":scope > .parts > .hint")]


def press(driver, title):
    button = question(driver, title).find_element("css selector", ":scope > button")
    button.click()
    return button.get_attribute("textContent")


def main():
    with tempfile.TemporaryDirectory() as temp:
        page = export_page(sys.argv[1], Path(temp))
        source = page.read_text(encoding="utf-8")
        for secret in SECRETS:
            check(secret not in source and html.escape(secret) not in source,
                  f"the source shows the hint {secret!r}")
        driver = start_browser()
        try:
            driver.get(page.as_uri())
            check(driver.find_element("tag name", "h1").text == "Tide <&> Test", "the title is not escaped")
            check(not driver.find_elements("css selector", ".hint"), "a hint shows before any press")
            check(all(secret not in driver.find_element("tag name", "body").text for secret in SECRETS),
                  "a hint is on screen before any press")
            check(driver.execute_script("return document.documentElement.scrollWidth") <= 360,
                  "the page is wider than a 360 px phone")

            for button_text, shown in PRESSES:
                check(press(driver, "How do I open the gate?") == button_text, f"the button does not read {button_text!r}")
                check(hints_of(question(driver, "How do I open the gate?")) == shown, f"after a press: not {shown}")
            check(driver.find_element("id", "live").get_attribute("textContent") == GATE[-1],
                  "the last hint was not announced")
            press(driver, "Where is the boat?")
            check(hints_of(question(driver, "Where is the boat?")) == BOAT[:1], "the nested hint's first part")
            check("It is under the tarp." not in driver.page_source, "a later part of a nested hint is in the page")

            driver.refresh()
            settles(driver, lambda: hints_of(question(driver, "How do I open the gate?")) == GATE,
                    "the reveals were lost on reload")
            check(hints_of(question(driver, "Where is the boat?")) == BOAT[:1], "the nested hint changed on reload")
            driver.find_element("id", "hide-all").click()
            driver.refresh()
            settles(driver, lambda: driver.find_elements("css selector", "h1") and
                    not driver.find_elements("css selector", ".hint"), "Hide every hint left hints on the page")

            targets = [("link text", "Stuck at the gate?", "How do I open the gate?"),
                       ("css selector", 'a.spot[aria-label="The shed"]', "The shed")]
            for how, what, heading in targets:
                driver.find_element(how, what).click()
                target = driver.execute_script("return document.querySelector(location.hash)")
                check(target is not None and heading in target.find_element("css selector", "h1,h2,h3,h4,h5,h6").text,
                      f"{what} did not lead to {heading}")
                driver.back()
                check(driver.execute_script("return location.hash") == "", f"Back did not return from {heading}")
            driver.find_element("css selector", 'a.spot[aria-label="Lamp"]').click()
            check(driver.find_element("css selector", ".overlay").is_displayed(), "the overlay was not painted")

            fetched = driver.execute_script("return performance.getEntriesByType('resource').length")
            check(fetched == 0, f"the page fetched {fetched} resources")
            errors = [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
            check(not errors, f"the browser reported {errors}")
        finally:
            driver.quit()
    print("PASS")


if __name__ == "__main__":
    main()
