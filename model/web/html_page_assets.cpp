#include "model/web/html_page_assets.h"

namespace klu {

const char* const kPageStyle = R"css(
:root{color-scheme:light dark;--bg:#fbfaf6;--fg:#1f1f23;--muted:#5d5c63;--line:#d9d5c9;
--card:#fff;--accent:#0b57d0;--button:#e6ecfa;--spot:rgba(11,87,208,.18)}
@media (prefers-color-scheme:dark){:root{--bg:#141518;--fg:#e9e7e2;--muted:#a9a7a2;
--line:#3b3c42;--card:#1d1e22;--accent:#8ab4f8;--button:#283040;--spot:rgba(138,180,248,.25)}}
*{box-sizing:border-box}
[hidden]{display:none!important}
body{margin:0 auto;max-width:46rem;padding:.75rem 1rem 3rem;background:var(--bg);color:var(--fg);
font:1.0625rem/1.55 system-ui,-apple-system,"Segoe UI",Roboto,"Liberation Sans",sans-serif}
header{display:flex;flex-wrap:wrap;gap:.5rem 1rem;align-items:center;justify-content:space-between}
h1{font-size:1.6rem;line-height:1.25;margin:.75rem 0}
h2{font-size:1.3rem;line-height:1.3;margin:2.25rem 0 .5rem;padding-bottom:.25rem;
border-bottom:1px solid var(--line)}
h3,h4,h5,h6{font-size:1.08rem;line-height:1.35;margin:1.25rem 0 .4rem}
.question>h3,.question>h4,.question>h5,.question>h6{margin-top:.6rem}
a{color:var(--accent)}
a:focus-visible,button:focus-visible{outline:3px solid var(--accent);outline-offset:2px}
.intro,.note{color:var(--muted)}
.note{font-style:italic}
nav ol{list-style:none;padding-left:1rem;margin:.25rem 0}
nav>ol{padding-left:0}
nav li{margin:.2rem 0}
.text{white-space:pre-wrap;overflow-wrap:anywhere;overflow-x:auto;margin:.5rem 0}
.gap{display:block;height:.45em}
.f{font-family:ui-monospace,"Liberation Mono",Menlo,Consolas,monospace;font-size:.9em}
.nw{white-space:pre;overflow-wrap:normal}
.question{background:var(--card);border:1px solid var(--line);border-radius:.6rem;
padding:.2rem 1rem .9rem;margin:1rem 0}
.hint{border-left:3px solid var(--accent);padding:.05rem 0 .05rem .75rem;margin:.6rem 0}
.hint>.text:first-child{margin-top:0}
button{font:inherit;min-height:2.75rem;padding:.4rem 1rem;border-radius:.5rem;cursor:pointer;
border:1px solid var(--line);background:var(--button);color:var(--fg)}
.question>button{width:100%;margin-top:.3rem}
button[aria-disabled=true]{opacity:.7;cursor:default}
figure{margin:1rem 0}
.picture{position:relative;max-width:100%}
.picture>img{display:block;width:100%;height:auto}
.picture>.overlay{position:absolute;height:auto}
.spot{position:absolute;border:2px dashed transparent;border-radius:3px}
.spot:hover,.spot:focus-visible{border-color:var(--accent);background:var(--spot)}
audio{display:block;width:100%;max-width:24rem;margin:.5rem 0}
hr{border:0;border-top:1px solid var(--line)}
.sr-only{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);
white-space:nowrap}
)css";

// Each question's hints lie enciphered (data-parts, separated by blanks) on the element named
// after it with a "p"; a press deciphers the next one into the question. What was revealed is
// kept in local storage under the page's own name (on the script's element), so a reload shows
// the same hints.
const char* const kPageScript = R"js(
(() => {
'use strict';
const page = document.body.dataset;
const store = document.currentScript.dataset.store;
const key = page.key.match(/../g).map((pair) => parseInt(pair, 16));
const live = document.getElementById('live');
let revealed = {};
try { revealed = JSON.parse(localStorage.getItem(store)) || {}; } catch (e) { revealed = {}; }
function save() {
  try {
    localStorage.setItem(store, JSON.stringify(revealed));
  } catch (e) { /* storage refused: the reveals last as long as the page */ }
}
function decipher(text) {
  const raw = atob(text);
  const bytes = new Uint8Array(raw.length);
  for (let i = 0; i < raw.length; i++) bytes[i] = raw.charCodeAt(i) ^ key[i % key.length];
  return new TextDecoder().decode(bytes);
}
const partsOf = (question) => document.getElementById(question.id + 'p').dataset.parts.split(' ');
// The question, or the innermost one shown whose hint holds it.
function shownQuestion(id) {
  while (id && !document.getElementById(id)) id = document.getElementById(id + 'p')?.dataset.in;
  return id ? document.getElementById(id) : null;
}
const holderOf = (question) => question.querySelector(':scope > .parts');
function label(question) {
  const shown = holderOf(question).children.length;
  const count = partsOf(question).length;
  const button = question.querySelector(':scope > button');
  button.textContent = shown === 0 ? page.first : shown >= count ? page.last
    : page.counted.replace('%i', shown).replace('%i', count);
  button.setAttribute('aria-disabled', String(shown >= count));
}
function reveal(question) {
  const parts = partsOf(question);
  const holder = holderOf(question);
  const shown = holder.children.length;
  if (shown >= parts.length) return null;
  const hint = document.createElement('div');
  hint.className = 'hint';
  hint.innerHTML = decipher(parts[shown]);
  holder.append(hint);
  revealed[question.dataset.q] = shown + 1;
  label(question);
  restore(hint);
  return hint;
}
// Shows again what was revealed in the questions within scope, nested ones as they appear.
function restore(scope) {
  for (const question of scope.querySelectorAll('[data-kind="question"]')) {
    const wanted = Math.min(revealed[question.dataset.q] || 0, partsOf(question).length);
    while (holderOf(question).children.length < wanted) reveal(question);
    label(question);
  }
}
document.addEventListener('click', (event) => {
  const button = event.target.closest('[data-kind="question"] > button');
  if (button) {
    const hint = reveal(button.parentElement);
    if (hint) {
      save();
      live.textContent = hint.textContent;
    }
    return;
  }
  const link = event.target.closest('a[data-via]');
  if (link && !document.getElementById(link.hash.slice(1))) {
    const holder = shownQuestion(link.dataset.via);
    if (holder) location.hash = holder.id;
    live.textContent = 'It lies in a hint of this question that is not revealed yet.';
    event.preventDefault();
    return;
  }
  const spot = event.target.closest('a[data-overlay]');
  if (spot) {
    const overlay = document.getElementById(spot.dataset.overlay);
    if (overlay) overlay.hidden = false;
    event.preventDefault();
  }
});
document.getElementById('hide-all').addEventListener('click', () => {
  if (!confirm('Hide every hint again? The page forgets every hint revealed so far '
      + 'and takes every overlay off its picture.')) return;
  revealed = {};
  save();
  for (const holder of document.querySelectorAll('[data-kind="question"] > .parts')) {
    holder.replaceChildren();
  }
  for (const overlay of document.querySelectorAll('.overlay')) overlay.hidden = true;
  restore(document);
  live.textContent = 'Every hint is hidden again.';
});
restore(document);
})();
)js";

}  // namespace klu
