// The web edition of the course: the two courses' menus, every step with its picture or
// video and its text, the navigation of the lesson windows (Next, Back, Back one, the
// menu, the same keys) and the questions judged here as the dialogs judge them. Each step
// is addressed by its hash (#Kika/1-06); nothing is stored and nothing is fetched from
// elsewhere, so the site works from a USB stick as well as from a server.
(function () {
  "use strict";
  var data = window.ORVANTH_COURSE;
  var $ = function (id) { return document.getElementById(id); };
  var el = {
    menus: $("menus"), lesson: $("lesson"), itemName: $("item-name"), picture: $("picture"),
    film: $("film"), ask: $("ask"), said: $("said"), where: $("where"), replay: $("replay"),
    next: $("cmd-next"), back: $("cmd-return"), backOne: $("cmd-return1"), exit: $("cmd-exit")
  };
  // Where the learner is: course, item (its number), index in the item's steps, and
  // whether the item was entered through "はじめから", which goes on along the chain;
  // how the step was reached ("next", "back" with the picture Back one shows, or none).
  var at = null;
  var answered = {}; // step id -> true, once its questions are answered (this visit only)
  window.orvanthTiming = {};

  function courseById(id) {
    for (var i = 0; i < data.courses.length; i++) if (data.courses[i].id === id) return data.courses[i];
    return null;
  }
  function item(course, n) {
    for (var i = 0; i < course.items.length; i++) if (course.items[i].n === n) return course.items[i];
    return null;
  }
  // The steps an item plays ("はじめから" of the matter course plays item 2's).
  function stepsOf(course, n) {
    var it = item(course, n);
    if (!it) return [];
    return it.sameAs ? stepsOf(course, it.sameAs) : it.steps;
  }
  function nextOf(course, n) {
    var it = item(course, n);
    if (!it) return null;
    if (it.next) return { n: it.next, skipTitle: !!it.skipTitle };
    return it.sameAs ? nextOf(course, it.sameAs) : null;
  }
  function current() { return at ? stepsOf(at.course, at.item)[at.index] : null; }

  // ---- the menus ----

  function buildMenus() {
    data.courses.forEach(function (c) {
      var box = document.createElement("div");
      box.className = "course";
      box.id = "menu-" + c.id;
      var h = document.createElement("h2");
      h.textContent = c.button;
      box.appendChild(h);
      var list = document.createElement("ol");
      c.items.forEach(function (it) {
        var li = document.createElement("li");
        var b = document.createElement("button");
        b.type = "button";
        b.id = "item-" + c.id + "-" + it.n;
        var key = document.createElement("span");
        key.className = "key";
        key.setAttribute("aria-hidden", "true");
        b.appendChild(key);
        b.appendChild(document.createTextNode(it.label));
        var steps = stepsOf(c, it.n);
        if (!steps.length) {
          b.disabled = true;
          var m = document.createElement("span");
          m.className = "missing";
          m.textContent = "（この版には含まれていません）";
          b.appendChild(m);
        }
        b.addEventListener("click", function () { open(c, it.n, 0, it.n === 1); });
        li.appendChild(b);
        list.appendChild(li);
      });
      box.appendChild(list);
      el.menus.appendChild(box);
    });
  }

  function showMenu(course) {
    at = null;
    el.lesson.hidden = true;
    el.menus.hidden = false;
    stopFilm();
    el.where.textContent = course ? course.caption : "";
    document.title = data.title;
    var first = course ? $("item-" + course.id + "-1") : null;
    if (first) first.focus();
  }

  // ---- steps ----

  function open(course, n, index, chain) {
    at = { course: course, item: n, index: index, chain: !!chain };
    go();
  }
  // Shows the step at `at` and puts its address in the hash; the browser's back button
  // walks the steps back.
  function go() {
    var s = current();
    if (!s) return showMenu(at && at.course);
    var hash = "#" + s.id;
    if (location.hash !== hash) {
      skipHash = hash;
      location.hash = hash;
    }
    show(s);
  }
  var skipHash = null;

  function stopFilm() {
    el.film.pause();
    el.film.removeAttribute("src");
    el.film.load();
    el.film.hidden = true;
    el.replay.hidden = true;
  }

  function playFilm(s) {
    var t0 = performance.now();
    window.orvanthTiming = { id: s.id, opened: t0 };
    el.film.hidden = false;
    el.replay.hidden = false;
    el.film.src = s.video;
    var seen = function () {
      if (!window.orvanthTiming.firstFrame && window.orvanthTiming.id === s.id)
        window.orvanthTiming.firstFrame = performance.now() - t0;
    };
    if (el.film.requestVideoFrameCallback) el.film.requestVideoFrameCallback(seen);
    else el.film.addEventListener("playing", seen, { once: true });
    var p = el.film.play();
    if (p && p.catch) p.catch(function () { el.film.hidden = true; });
  }

  // A question asked on the way into a step comes only when Next brought the learner.
  function asksOf(s) {
    return (s.asks || []).filter(function (a) { return !a.onArrival || (at && at.arrived === "next"); });
  }
  // Back one clears the window first: a step drawn over the one before shows its own part.
  function pictureOf(s) { return (at && at.backImg) || s.img; }

  function show(s) {
    el.menus.hidden = true;
    el.lesson.hidden = false;
    stopFilm();
    var it = item(at.course, at.item);
    el.itemName.textContent = at.course.caption + " ・ " + it.label;
    el.where.textContent = s.title;
    document.title = s.title + " — " + data.title;
    var asks = asksOf(s);
    var lines = s.text || [];
    // Before its question is answered a step shows only what it printed before asking.
    if (asks.length && !answered[s.id] && asks[0].textBefore >= 0) lines = lines.slice(0, asks[0].textBefore);
    showText(lines);
    el.picture.alt = s.title;
    if (asks.length && !answered[s.id]) {
      el.picture.src = asks[0].asking || pictureOf(s);
      startAsks(s, asks, 0);
    } else {
      el.ask.hidden = true;
      el.ask.textContent = "";
      el.picture.src = pictureOf(s);
      if (s.video && !asks.length && !at.backImg) playFilm(s);
      else window.orvanthTiming = { id: s.id, opened: performance.now(), firstFrame: 0 };
    }
    buttons();
  }

  function showText(lines) {
    el.said.textContent = "";
    lines.forEach(function (line) {
      var p = document.createElement("p");
      p.textContent = line;
      el.said.appendChild(p);
    });
  }

  function blocked() {
    var s = current();
    return !!(s && asksOf(s).length && !answered[s.id]);
  }
  function buttons() {
    var s = current();
    var wait = blocked();
    el.next.disabled = wait;
    el.back.disabled = !s;
    el.backOne.disabled = !s;
    if (!wait && document.activeElement !== el.next && !el.ask.contains(document.activeElement)) el.next.focus();
  }

  function next() {
    if (!at || blocked()) return;
    var steps = stepsOf(at.course, at.item);
    at.arrived = "next";
    at.backImg = null;
    if (at.index + 1 < steps.length) {
      at.index++;
      return go();
    }
    var chained = at.chain ? nextOf(at.course, at.item) : null;
    if (chained && stepsOf(at.course, chained.n).length) {
      var to = stepsOf(at.course, chained.n);
      var i = 0;
      while (chained.skipTitle && i + 1 < to.length && to[i].card) i++;
      at = { course: at.course, item: chained.n, index: i, chain: true, arrived: "next" };
      return go();
    }
    showMenu(at.course);
    location.hash = "#menu-" + at.course.id;
  }

  // "S-NN" of a lesson step: section and step; null for viewer stages and title cards.
  function place(s) {
    var m = /\/(\d+)-(\d+)(?:_\d+)?$/.exec(s.id);
    return m ? { proc: s.id.split("/")[0], section: +m[1], step: +m[2] } : null;
  }
  function find(proc, section, step) {
    var steps = stepsOf(at.course, at.item);
    for (var i = 0; i < steps.length; i++) {
      var p = place(steps[i]);
      if (p && p.proc === proc && p.section === section && p.step === step) return i;
    }
    return -1;
  }
  // As the lesson window's buttons: Back goes to the section's first step, Back one to
  // the step before; from a section's first step both go to the section before, and from
  // the first section back to the menu.
  function back(one) {
    if (!at) return;
    var s = current(), p = place(s);
    var target = -1;
    at.arrived = "back";
    at.backImg = null;
    // Where the tour saw Back one land from here, and what the window showed.
    var b = one && s.back1 ? find(s.back1.proc, s.back1.section, s.back1.step) : -1;
    if (b >= 0) {
      at.index = b;
      at.backImg = s.back1.img;
      return go();
    }
    if (p) {
      if (p.step !== 0) target = find(p.proc, p.section, one ? p.step - 1 : 0);
      else if (p.section < 1) return exitToMenu();
      else target = find(p.proc, p.section - 1, 0);
    }
    if (target < 0) target = at.index - 1;
    if (target < 0) {
      var prev = previousInChain();
      if (prev) { at = prev; return go(); }
      return exitToMenu();
    }
    at.index = target;
    go();
  }
  function previousInChain() {
    if (!at.chain) return null;
    for (var n = 1; n <= 5; n++) {
      var c = nextOf(at.course, n);
      if (c && c.n === at.item) return { course: at.course, item: n, index: stepsOf(at.course, n).length - 1, chain: true };
    }
    return null;
  }
  function exitToMenu() {
    var c = at ? at.course : null;
    showMenu(c);
    location.hash = c ? "#menu-" + c.id : "";
  }

  // ---- questions ----

  function startAsks(s, asks, k) {
    if (k >= asks.length) {
      answered[s.id] = true;
      el.picture.src = pictureOf(s);
      showText(s.text || []);
      buttons();
      el.next.focus();
      return;
    }
    var a = asks[k];
    el.ask.hidden = false;
    el.ask.textContent = "";
    if (k > 0 && a.textBefore >= 0) showText((s.text || []).slice(0, a.textBefore));
    if (k > 0 && a.asking) el.picture.src = a.asking;
    var done = function () { startAsks(s, asks, k + 1); };
    if (a.kind === "free" || a.kind === "count") freeAsk(a, done);
    else if (a.kind === "input") inputAsk(s, a, done);
    else if (a.kind === "again") againAsk(s, a, done);
    else judgedAsk(s, a, done);
    buttons();
  }

  // The step stops asking where it is: what the window shows stays.
  function stopAsks(s) {
    answered[s.id] = true;
    el.ask.hidden = true;
    el.ask.textContent = "";
    buttons();
    el.next.focus();
  }

  // As the input box reads a reply: full-width letters, digits and signs are ASCII.
  function ascii(text) {
    return text.replace(/[\uFF01-\uFF5E]/g, function (c) { return String.fromCharCode(c.charCodeAt(0) - 0xFEE0); })
      .replace(/\u3000/g, " ").replace(/[\u2212\u30FC\uFF70]/g, "-");
  }
  // The leading number of a reply, blanks ignored; 0 when there is none.
  function leadingNumber(text) {
    var m = /^[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?/.exec(text.replace(/[ \t\r\n]/g, ""));
    return m ? parseFloat(m[0].replace(/[dD]/, "e")) || 0 : 0;
  }

  // The plain input box: a line of text, OK and Cancel (Cancel answers nothing).
  function inputForm(a, onReply) {
    el.ask.appendChild(node("p", "prompt", a.prompt));
    var form = node("form");
    var l = node("label", "", "");
    var b = node("input");
    b.type = "text";
    b.autocomplete = "off";
    b.setAttribute("aria-label", a.prompt);
    l.appendChild(b);
    form.appendChild(l);
    var ok = node("button", "", "OK");
    ok.type = "submit";
    var cancel = node("button", "", "キャンセル");
    cancel.type = "button";
    form.appendChild(ok);
    form.appendChild(cancel);
    var msg = node("p", "message");
    msg.setAttribute("role", "alert");
    el.ask.appendChild(form);
    el.ask.appendChild(msg);
    form.addEventListener("submit", function (e) { e.preventDefault(); onReply(ascii(b.value), b, msg); });
    cancel.addEventListener("click", function () { onReply("", b, msg); });
    setTimeout(function () { b.focus(); }, 0);
  }

  // A part of a naming quiz: the number of the right name goes on to the next part, -1
  // ends the quiz where it is, anything else marks the part wrong and asks it again.
  function inputAsk(s, a, done) {
    inputForm(a, function (reply, b, msg) {
      var n = leadingNumber(reply);
      if (n === leadingNumber(a.right)) return done();
      if (n === -1) return stopAsks(s);
      if (a.wrong) el.picture.src = a.wrong;
      msg.textContent = "ちがいます。もう一度答えてください。";
      b.value = "";
      b.focus();
    });
  }

  // "Once more?": yes goes back where the lesson goes (or draws the step anew, asking
  // what it asked); no goes on.
  function againAsk(s, a, done) {
    var yes = function () {
      if (a.againTo) {
        var i = find(a.againTo.proc, a.againTo.section, a.againTo.step);
        if (i >= 0) {
          // The steps from there on ask their questions anew.
          stepsOf(at.course, at.item).slice(i, at.index + 1).forEach(function (x) { delete answered[x.id]; });
          at.index = i;
          at.arrived = "again";
          at.backImg = null;
          return go();
        }
      }
      var redo = (a.againPrompts || []).map(function (p, j) {
        return { kind: "free", prompt: p, given: [(a.againGiven || [])[j] || ""] };
      });
      var k = 0;
      var step = function () {
        if (k >= redo.length) {
          if (a.againImg) el.picture.src = a.againImg;
          return stopAsks(s);
        }
        el.ask.textContent = "";
        freeAsk(redo[k++], step);
      };
      step();
    };
    if (a.typed) {
      inputForm(a, function (reply) { if (reply === "y") yes(); else done(); });
      return;
    }
    var box = node("div", "message-box");
    box.setAttribute("role", "alertdialog");
    if (a.title) box.appendChild(node("p", "title", a.title));
    box.appendChild(node("p", "prompt", a.prompt));
    var by = node("button", "", "はい");
    var bn = node("button", "", "いいえ");
    by.type = bn.type = "button";
    by.id = "ask-yes";
    bn.id = "ask-no";
    by.addEventListener("click", yes);
    bn.addEventListener("click", done);
    box.appendChild(by);
    box.appendChild(bn);
    el.ask.appendChild(box);
    setTimeout(function () { by.focus(); }, 0);
  }

  function node(tag, cls, text) {
    var n = document.createElement(tag);
    if (cls) n.className = cls;
    if (text !== undefined) n.textContent = text;
    return n;
  }

  // A drawing's own parameters: the site holds the drawing for the answers the tour gave.
  function freeAsk(a, done) {
    el.ask.appendChild(node("p", "prompt", a.prompt));
    (a.given.length ? a.given : [""]).forEach(function (g, i) {
      if (i > 0) return;
      var b = node("button", "", (a.given.length > 1 ? a.given.join(" → ") : g) || "OK");
      b.type = "button";
      b.addEventListener("click", done);
      el.ask.appendChild(b);
      setTimeout(function () { b.focus(); }, 0);
    });
    el.ask.appendChild(node("p", "note",
      "答えによって図が変わる問いです。答えの組み合わせが多いため、この版にはこの答えで描いた図だけを収めています。" +
      "ほかの答えはアプリケーションで試してください。"));
  }

  function judgedAsk(s, a, done) {
    el.ask.appendChild(node("p", "prompt", a.prompt));
    var form = node("form");
    var boxes = a.two ? [box(form, "振幅 ："), box(form, "周波数 ：")] : [box(form, "答え")];
    var ok = node("button", "", "OK");
    ok.type = "submit";
    ok.disabled = true;
    form.appendChild(ok);
    var msg = node("p", "message");
    msg.setAttribute("role", "alert");
    el.ask.appendChild(form);
    el.ask.appendChild(msg);
    boxes.forEach(function (b, i) {
      b.addEventListener("keydown", function (e) { keyRule(e, a, boxes, i, msg, ok); });
      b.addEventListener("input", function () {
        ok.disabled = boxes.some(function (x) { return x.value === ""; });
      });
    });
    form.addEventListener("submit", function (e) {
      e.preventDefault();
      if (ok.disabled) return;
      judge(s, a, boxes, msg, done);
    });
    setTimeout(function () { boxes[0].focus(); }, 0);
  }

  function box(form, caption) {
    var l = node("label", "", caption);
    var b = node("input");
    b.type = "text";
    b.inputMode = "numeric";
    b.autocomplete = "off";
    b.setAttribute("aria-label", caption);
    l.appendChild(b);
    form.appendChild(l);
    return b;
  }

  // The dialogs' key filters: one field takes "1" up to its last key; the two numbers
  // start with 1 to 9, take digits, and refuse a value over 50 (amplitude) or 20
  // (frequency). Keys that type nothing (arrows, Delete, shortcuts) are never filtered.
  function keyRule(e, a, boxes, i, msg, ok) {
    if (e.ctrlKey || e.altKey || e.metaKey || e.key.length !== 1) return;
    var c = e.key;
    if (!a.two) {
      if (!(c >= "1" && c <= (a.lastKey || "9"))) { e.preventDefault(); msg.textContent = ""; }
      return;
    }
    var b = boxes[i];
    if (b.value === "" && !(c >= "1" && c <= "9")) { e.preventDefault(); return; }
    if (c < "0" || c > "9") { e.preventDefault(); return; }
    var max = i === 0 ? 50 : 20;
    if (+(b.value + c) > max) {
      e.preventDefault();
      msg.textContent = i === 0 ? "50以下の数字を入力してください。" : "20以下の数字を入力してください。";
    }
  }

  function judge(s, a, boxes, msg, done) {
    var reply = boxes.map(function (b) { return b.value; });
    if (a.two) {
      var amp = Math.round(parseFloat(reply[0]) || 0), freq = Math.round(parseFloat(reply[1]) || 0);
      if (!(amp >= 5 && amp <= 50 && freq >= 5 && freq <= 20)) {
        msg.textContent = "入力値が範囲外です。入力し直して下さい。";
        boxes.forEach(function (b) { b.value = ""; });
        boxes[0].focus();
        return;
      }
    }
    var right = reply.join(",") === a.right;
    if (right || a.kind === "once") {
      el.ask.textContent = "";
      el.ask.appendChild(node("p", right ? "message verdict-right" : "message",
        right ? "正解です。" : "ちがいます（この問いは一度だけ答えます）。"));
      done();
      // A question judged once goes on after a wrong answer with the step's correction.
      if (!right && a.wrong) el.picture.src = a.wrong;
      return;
    }
    // Wrong: the step's feedback, then the question again.
    if (a.wrong) el.picture.src = a.wrong;
    msg.textContent = "ちがいます。もう一度答えてください。";
    boxes.forEach(function (b) { b.value = ""; });
    boxes[0].focus();
    boxes[0].dispatchEvent(new Event("input"));
  }

  // ---- keys and addresses ----

  document.addEventListener("keydown", function (e) {
    if (el.lesson.hidden || e.ctrlKey || e.altKey || e.metaKey) return;
    var t = e.target;
    // An answer box keeps its keys; Enter on another button presses that button.
    if (t && (t.tagName === "INPUT" || (t.tagName === "BUTTON" && e.key === "Enter" && t !== el.next))) return;
    if (e.key === "Enter" || e.key === "PageDown" || e.key === "ArrowRight") {
      e.preventDefault();
      next();
    } else if (e.key === "PageUp") {
      e.preventDefault();
      back(true);
    }
  });
  el.next.addEventListener("click", next);
  el.back.addEventListener("click", function () { back(false); });
  el.backOne.addEventListener("click", function () { back(true); });
  el.exit.addEventListener("click", exitToMenu);
  el.replay.addEventListener("click", function () { var s = current(); if (s && s.video) playFilm(s); });
  el.film.addEventListener("ended", function () { el.film.hidden = true; });

  // A step's address: the item that has it as its own step (walking the browser's history
  // within a "はじめから" run keeps it one); an address of no step opens the menu of the
  // course it names, or both menus.
  function route() {
    var h = decodeURIComponent(location.hash.replace(/^#/, ""));
    if (skipHash !== null && location.hash === skipHash) { skipHash = null; return; }
    skipHash = null;
    if (!h) return showMenu(null);
    var m = /^menu-(\w+)$/.exec(h);
    if (m) return showMenu(courseById(m[1]));
    var proc = h.split("/")[0], guess = null;
    for (var ci = 0; ci < data.courses.length; ci++) {
      var c = data.courses[ci];
      for (var k = c.items.length - 1; k >= 0; k--) {
        var it = c.items[k];
        var own = it.steps;
        for (var i = 0; i < own.length; i++) {
          if (own[i].id === h) {
            at = { course: c, item: it.n, index: i, chain: !!(at && at.chain && at.course === c) };
            return show(own[i]);
          }
          if (own[i].id.split("/")[0] === proc) guess = c;
        }
      }
    }
    showMenu(guess);
  }
  window.addEventListener("hashchange", route);
  document.documentElement.style.setProperty("--aspect", String(data.width / data.height));
  buildMenus();
  route();
})();
