#!/usr/bin/python3
"""The web edition in headless Chromium, opened from the file system: the menus, Page
Down and Page Up, the browser's back button, a judged question that holds the learner
until it is answered right, a yes/no prompt that takes the learner where the lesson
goes, a quiz asked in the plain input box, Back one onto a step drawn over the one
before, the video of the introduction's stars, an address of no step, the buttons in
view at 1280 x 800 and 390 x 844, and a console without errors. With a second argument, screenshots at 1280 x 800
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


def buttons_in_view(d, where):
    """Every navigation button lies inside the viewport, the page does not scroll."""
    out = d.execute_script(
        "const h = innerHeight, w = innerWidth;"
        "return [...document.querySelectorAll('.buttons button')].filter(b => {"
        "  const r = b.getBoundingClientRect();"
        "  return r.height === 0 || r.top < 0 || r.left < 0 || r.bottom > h || r.right > w;"
        "}).map(b => b.id)")
    check(not out, "%s: buttons outside the viewport: %s" % (where, out))
    tall = d.execute_script("return document.scrollingElement.scrollHeight - innerHeight")
    check(tall <= 1, "%s: the page scrolls by %s px" % (where, tall))


def step_with(d, kind, typed=False):
    """The first step asking a question of that kind, with the step before it."""
    return d.execute_script(
        "for (const c of ORVANTH_COURSE.courses) for (const it of c.items)"
        "  for (let i = 1; i < it.steps.length; i++) for (const a of it.steps[i].asks || [])"
        "    if (a.kind === arguments[0] && !!a.typed === arguments[1])"
        "      return {step: it.steps[i], before: it.steps[i - 1].id, ask: a};"
        "return null", kind, typed)


def src_of(d):
    return d.find_element(By.ID, "picture").get_attribute("src")


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

    # The superposition's "once more?": asked on the way in by Next, yes goes back to the
    # step the lesson goes to, no goes on; reached by its address it does not ask.
    again = step_with(d, "again")
    check(again and again["ask"].get("againTo"), "a yes/no prompt that moves the lesson: %s" % again)
    if again and again["ask"].get("againTo"):
        to = again["ask"]["againTo"]
        target = "#%s/%d-%02d" % (to["proc"], to["section"], to["step"])
        for answer in ("ask-no", "ask-yes"):
            open_at(d, "#" + again["before"], True)
            keys(d, Keys.PAGE_DOWN)
            ask = d.find_element(By.ID, "ask")
            check(ask.is_displayed() and "もう一度やってみますか？" in ask.text, "the prompt is asked: " + ask.text)
            check(d.find_element(By.ID, "cmd-next").get_attribute("disabled") is not None, "Next waits for yes or no")
            d.find_element(By.ID, answer).click()
            time.sleep(0.2)
            if answer == "ask-no":
                check(hash_of(d) == "#" + again["step"]["id"] and src_of(d).endswith(again["step"]["img"]),
                      "no goes on to %s, not %s" % (again["step"]["id"], hash_of(d)))
                check(d.find_element(By.ID, "cmd-next").is_enabled(), "after no, Next steps on")
            else:
                check(hash_of(d) == target, "yes goes to %s, not %s" % (target, hash_of(d)))
                check(d.find_element(By.ID, "ask").is_displayed(), "yes asks the step's question anew")
        open_at(d, "#" + again["step"]["id"], True)
        check(not d.find_element(By.ID, "ask").is_displayed(), "an address does not ask the way-in prompt")

    # Back one onto a step drawn over the one before shows what the window shows then.
    back = d.execute_script(
        "for (const c of ORVANTH_COURSE.courses) for (const it of c.items) for (const s of it.steps)"
        "  if (s.back1) return s; return null")
    check(back, "a step whose Back one the tour played")
    if back:
        b = back["back1"]
        open_at(d, "#" + back["id"], True)
        d.find_element(By.ID, "cmd-return1").click()
        time.sleep(0.2)
        landed = "%s/%d-%02d" % (b["proc"], b["section"], b["step"])
        check(hash_of(d) == "#" + landed, "Back one lands where the window does (%s)" % hash_of(d))
        # A step that asks shows its question first, then the window's picture.
        asks = d.execute_script("return (ORVANTH_COURSE.courses.flatMap(c => c.items).flatMap(i => i.steps)"
                                ".find(s => s.id === arguments[0]) || {}).asks || []", landed)
        want = asks[0]["asking"] if asks and asks[0].get("asking") else b["img"]
        check(src_of(d).endswith(want), "Back one shows the window's picture: " + src_of(d))

    # The eye's naming quiz in the input box: the leading number counts, full-width digits
    # too; a wrong one is marked and asked again; -1 ends the quiz.
    quiz = step_with(d, "input", True)
    check(quiz, "a quiz asked in the input box")
    if quiz:
        open_at(d, "#" + quiz["step"]["id"], True)
        ask = d.find_element(By.ID, "ask")
        first = quiz["ask"]
        check(first["prompt"] in ask.text, "the quiz's own prompt: " + ask.text)
        check(d.find_element(By.ID, "cmd-next").get_attribute("disabled") is not None, "Next waits for the quiz")
        box = ask.find_element(By.TAG_NAME, "input")
        wrong = "1" if first["right"] != "1" else "2"
        box.send_keys(wrong, Keys.ENTER)
        time.sleep(0.2)
        check("ちがいます" in ask.text, "a wrong name is told: " + ask.text)
        check(first.get("wrong") and src_of(d).endswith(first["wrong"]), "a wrong name is marked: " + src_of(d))
        full = "".join(chr(ord(c) + 0xFEE0) for c in first["right"])
        ask.find_element(By.TAG_NAME, "input").send_keys(full + "です", Keys.ENTER)
        time.sleep(0.2)
        second = quiz["step"]["asks"][1]["prompt"]
        check(second in ask.text, "the right name asks the next part: " + ask.text)
        ask.find_element(By.TAG_NAME, "input").send_keys("-1", Keys.ENTER)
        time.sleep(0.2)
        check(d.find_element(By.ID, "cmd-next").is_enabled(), "-1 ends the quiz")
        keys(d, Keys.PAGE_DOWN)
        check(hash_of(d) != "#" + quiz["step"]["id"], "after the quiz Page Down steps on")

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

    # The step fits the screen: the buttons show without scrolling.
    for h in ("#Kika/1-05", "#Kika/1-06", "#Intro/1-01"):
        open_at(d, h, True)
        time.sleep(0.2)
        buttons_in_view(d, "1280x800 " + h)

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

p = browser(390, 844)
# A phone's screen: the window alone may not shrink that far.
p.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                  {"width": 390, "height": 844, "deviceScaleFactor": 1, "mobile": True})
try:
    for h, name in (("#Kika/1-05", "step"), ("#Kika/1-06", "question"), ("#Intro/1-01", "video")):
        open_at(p, h, True)
        time.sleep(0.3)
        buttons_in_view(p, "390x844 " + h)
    if shots:
        for h, name in (("", "menu"), ("#Kika/1-05", "step"), ("#Kika/1-06", "question")):
            open_at(p, h, True)
            time.sleep(0.5)
            p.save_screenshot(os.path.join(shots, "web-390x844-%s.png" % name))
finally:
    p.quit()

if failures:
    sys.exit(1)
print("test_web.py: the site plays in Chromium")
