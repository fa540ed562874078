#!/usr/bin/python3
"""The web edition in headless Chromium, opened from the file system: the menus, Page
Down and Page Up, the browser's back button, a judged question that holds the learner
until it is answered right, the video of the introduction's stars, an address of no
step, and a console without errors. With a second argument, screenshots at 1280 x 800
and 390 x 844 are saved there.

    test_web.py SITE_DIR [SHOTS_DIR]
"""
import json
import os
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.common.action_chains import ActionChains

site = os.path.abspath(sys.argv[1])
shots = sys.argv[2] if len(sys.argv) > 2 else None
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("test_web.py: FAIL:", what, file=sys.stderr)


def browser(width, height):
    o = webdriver.ChromeOptions()
    o.binary_location = "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
              "--window-size=%d,%d" % (width, height), "--hide-scrollbars", "--mute-audio"):
        o.add_argument(a)
    o.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=o)
    d.set_window_size(width, height)
    return d


def wait_for(d, js, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        v = d.execute_script(js)
        if v:
            return v
        time.sleep(0.05)
    return None


def hash_of(d):
    return d.execute_script("return decodeURIComponent(location.hash)")


def keys(d, *k):
    ActionChains(d).send_keys(*k).perform()
    time.sleep(0.15)


def open_at(d, h, fresh=False):
    if fresh:
        d.get("about:blank")
    d.get("file://" + site + "/index.html" + h)
    wait_for(d, "return document.readyState === 'complete'")


d = browser(1280, 800)
try:
    url = "file://" + site + "/index.html"
    open_at(d, "")
    menus = d.find_elements(By.CSS_SELECTOR, ".course")
    check(len(menus) == 2, "two courses on the first page, not %d" % len(menus))
    check(d.find_element(By.ID, "item-light-2").text.startswith("幾何光学"), "the light menu's item 2")
    check(not d.find_element(By.ID, "item-matter-2").is_enabled(), "an item left out is disabled")

    # From the menu into the geometric optics; Page Down steps on, Page Up steps back one.
    d.find_element(By.ID, "item-light-2").click()
    first = hash_of(d)
    check(first.startswith("#Kika/"), "the item opens at its first step, not " + first)
    keys(d, Keys.PAGE_DOWN)
    second = hash_of(d)
    check(second != first and second.startswith("#Kika/"), "Page Down steps on (%s)" % second)
    keys(d, Keys.ARROW_RIGHT)
    third = hash_of(d)
    check(third not in (first, second), "the right arrow steps on (%s)" % third)
    keys(d, Keys.PAGE_UP)
    check(hash_of(d) == second, "Page Up steps back one (%s)" % hash_of(d))
    d.back()
    time.sleep(0.3)
    check(hash_of(d) == third, "the browser's back button goes back (%s)" % hash_of(d))

    # The judged question of Kika 1-06: held until it is answered right.
    open_at(d, "#Kika/1-05")
    keys(d, Keys.PAGE_DOWN)
    check(hash_of(d) == "#Kika/1-06", "Page Down reaches #Kika/1-06, not " + hash_of(d))
    check(d.find_element(By.ID, "cmd-next").get_attribute("disabled") is not None, "Next waits for the answer")
    keys(d, Keys.PAGE_DOWN)
    check(hash_of(d) == "#Kika/1-06", "Page Down cannot pass the question")
    ask = d.find_element(By.ID, "ask")
    check(ask.is_displayed() and "屈折率" in ask.text, "the question's own prompt: " + ask.text)
    box = ask.find_element(By.TAG_NAME, "input")
    box.send_keys("9")
    check(box.get_attribute("value") == "", "the key rule refuses 9")
    step = d.execute_script("return ORVANTH_COURSE.courses[0].items[1].steps.find(s => s.id === 'Kika/1-06')")
    q = step["asks"][0]
    wrong = "3" if q["right"] != "3" else "2"
    box.send_keys(wrong, Keys.ENTER)
    time.sleep(0.2)
    msg = ask.find_element(By.CSS_SELECTOR, ".message").text
    check("ちがいます" in msg, "a wrong answer is told: " + msg)
    src = d.find_element(By.ID, "picture").get_attribute("src")
    check(q.get("wrong") and src.endswith(q["wrong"]), "a wrong answer shows the step's feedback: " + src)
    keys(d, Keys.PAGE_DOWN)
    check(hash_of(d) == "#Kika/1-06", "a wrong answer does not let the learner past")
    box = ask.find_element(By.TAG_NAME, "input")
    box.send_keys(q["right"], Keys.ENTER)
    time.sleep(0.2)
    src = d.find_element(By.ID, "picture").get_attribute("src")
    check(src.endswith(step["img"]), "the right answer shows the step: " + src)
    keys(d, Keys.PAGE_DOWN)
    check(hash_of(d) == "#Kika/1-07", "the right answer lets Page Down reach #Kika/1-07, not " + hash_of(d))

    # The stars of the introduction: a video as long as the step's 5.1 s.
    open_at(d, "#Intro/1-01")
    dur = wait_for(d, "const v = document.getElementById('film');"
                      "return v.readyState >= 1 && isFinite(v.duration) ? v.duration : 0")
    check(dur and abs(dur - 5.1) <= 5.1 * 0.05, "the stars last 5.1 s, not %s" % dur)
    first_frame = wait_for(d, "return window.orvanthTiming.firstFrame")
    check(first_frame, "the video shows its first frame")
    played = wait_for(d, "return document.getElementById('film').currentTime > 0.5")
    check(played, "the video plays")
    print("test_web.py: opening Intro 1-01 to its first frame: %.0f ms" % (first_frame or -1))

    # An address of no step opens its course's menu.
    open_at(d, "#Kika/9-99")
    check(d.find_element(By.ID, "menus").is_displayed() and not d.find_element(By.ID, "lesson").is_displayed(),
          "an address of no step opens the menu")

    # Nothing but the site's own files was asked for.
    urls = d.execute_script("return performance.getEntriesByType('resource').map(e => e.name)")
    check(all(u.startswith("file://") for u in urls), "requests outside the site: %s" % urls)
    errors = [e for e in d.get_log("browser") if e["level"] == "SEVERE"]
    check(not errors, "errors in the console: %s" % json.dumps(errors, ensure_ascii=False))

    if shots:
        os.makedirs(shots, exist_ok=True)
        open_at(d, "#Kika/1-05", True)
        time.sleep(0.5)
        d.save_screenshot(os.path.join(shots, "web-1280x800-step.png"))
        open_at(d, "#Kika/1-06", True)
        time.sleep(0.3)
        d.save_screenshot(os.path.join(shots, "web-1280x800-question.png"))
        open_at(d, "")
        d.save_screenshot(os.path.join(shots, "web-1280x800-menu.png"))
finally:
    d.quit()

if shots:
    p = browser(390, 844)
    # A phone's screen: the window alone may not shrink that far.
    p.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                      {"width": 390, "height": 844, "deviceScaleFactor": 1, "mobile": True})
    try:
        for h, name in (("", "menu"), ("#Kika/1-05", "step"), ("#Kika/1-06", "question")):
            open_at(p, h, True)
            time.sleep(0.5)
            p.save_screenshot(os.path.join(shots, "web-390x844-%s.png" % name))
    finally:
        p.quit()

if failures:
    sys.exit(1)
print("test_web.py: the site plays in Chromium")
