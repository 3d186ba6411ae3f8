// What an AI agent may read of the open page, and how it may scroll it. Runs as the body of an
// async function (method, args) in its own world "vt-agent".
//
//   "snapshot": the page's address, title, scroll position, visible text, links and buttons.
//   "inspect":  the elements matching args.selector (at most args.limit, 1 to 50).
//   "scroll":   args.to "top" or "bottom", args.by a number of pixels, or args.selector to bring
//               the first match into view; answers the new position.
//
// Never read: form fields and their values, editable text (a comment being typed), cookies and
// storage, sign-in fields. Every input is clamped and every answer capped, so a hostile or huge
// page cannot make the answer unbounded; a bad selector is answered, not thrown.

const MAX_TEXT = 20000;          // characters of page text in a snapshot
const MAX_ITEM_TEXT = 500;       // characters of one element's text
const MAX_LIST = 100;            // links or buttons in a snapshot
const MAX_NODES = 50000;         // nodes visited in one walk
const MAX_ANSWER = 256 * 1024;   // characters of the whole answer as JSON
const MAX_SELECTOR = 500;

const input = (args && typeof args === 'object' && !Array.isArray(args)) ? args : {};

const clampText = (text, max) => {
  const s = String(text == null ? '' : text).replace(/\s+/g, ' ').trim();
  return s.length > max ? s.slice(0, max) + '…' : s;
};

const clampNumber = (value, min, max, fallback) => {
  const n = typeof value === 'number' && Number.isFinite(value) ? value : fallback;
  return Math.min(max, Math.max(min, n));
};

// Elements whose content is never read: form controls, editable areas, scripts, hidden parts.
const SKIP_TAGS = new Set(['INPUT', 'TEXTAREA', 'SELECT', 'OPTION', 'FORM', 'SCRIPT', 'STYLE', 'NOSCRIPT',
                           'TEMPLATE', 'IFRAME', 'OBJECT', 'EMBED', 'SVG', 'CANVAS']);
const SIGN_IN = /(password|passwd|username|one-time-code|otp|email|login|signin|credential|cc-)/i;

const isPrivate = (el) => {
  if (SKIP_TAGS.has(el.tagName)) return true;
  if (el.isContentEditable) return true;
  if (el.hidden || el.getAttribute('aria-hidden') === 'true') return true;
  const auto = el.getAttribute('autocomplete');
  return !!(auto && SIGN_IN.test(auto));
};

// Not rendered at all (display: none, or inside such a part); "contents" boxes still show children.
const isUnrendered = (el) => el.offsetParent === null && el.getClientRects().length === 0
  && getComputedStyle(el).display !== 'contents';

// Visible text under root, skipping private subtrees, up to max characters.
const readText = (root, max) => {
  const parts = [];
  let length = 0;
  let visited = 0;
  const walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
    acceptNode: (node) => {
      if (node.nodeType === Node.ELEMENT_NODE)
        return isPrivate(node) || (node !== root && isUnrendered(node)) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_SKIP;
      return NodeFilter.FILTER_ACCEPT;
    },
  });
  let truncated = false;
  while (walker.nextNode()) {
    if (++visited > MAX_NODES) { truncated = true; break; }
    const text = walker.currentNode.data.replace(/\s+/g, ' ').trim();
    if (!text) continue;
    parts.push(text);
    length += text.length + 1;
    if (length > max) { truncated = true; break; }
  }
  const joined = parts.join(' ');
  return { text: joined.length > max ? joined.slice(0, max) : joined, truncated };
};

const isSignInElement = (el) => {
  if (el.tagName === 'INPUT') {
    const type = (el.getAttribute('type') || 'text').toLowerCase();
    if (['password', 'email', 'tel', 'hidden'].includes(type)) return true;
  }
  for (const name of ['autocomplete', 'name', 'id']) {
    const v = el.getAttribute(name);
    if (v && SIGN_IN.test(v)) return true;
  }
  return false;
};

// Attributes that describe an element without giving away what anyone typed.
const SAFE_ATTRIBUTES = ['href', 'src', 'alt', 'title', 'role', 'aria-label', 'datetime', 'type', 'placeholder'];

const describe = (el) => {
  const rect = el.getBoundingClientRect();
  const out = {
    tag: el.tagName.toLowerCase(),
    rect: { x: Math.round(rect.x), y: Math.round(rect.y), width: Math.round(rect.width), height: Math.round(rect.height) },
  };
  if (el.id) out.id = clampText(el.id, 200);
  const classes = typeof el.className === 'string' ? clampText(el.className, 300) : '';
  if (classes) out.classes = classes;
  const attributes = {};
  for (const name of SAFE_ATTRIBUTES) {
    const v = el.getAttribute(name);
    if (v != null && v !== '') attributes[name] = clampText(v, MAX_ITEM_TEXT);
  }
  if (Object.keys(attributes).length) out.attributes = attributes;
  if (!isPrivate(el)) {
    const { text } = readText(el, MAX_ITEM_TEXT);
    if (text) out.text = text;
  }
  return out;
};

const position = () => ({
  scrollX: Math.round(window.scrollX),
  scrollY: Math.round(window.scrollY),
  scrollHeight: Math.round(document.documentElement ? document.documentElement.scrollHeight : 0),
  viewportWidth: window.innerWidth,
  viewportHeight: window.innerHeight,
});

// Drops list entries from the end until the answer fits.
const capAnswer = (answer, lists) => {
  let size = JSON.stringify(answer).length;
  while (size > MAX_ANSWER) {
    const list = lists.map((k) => answer[k]).filter((l) => Array.isArray(l) && l.length).sort((a, b) => b.length - a.length)[0];
    if (!list) {
      if (typeof answer.text === 'string') answer.text = answer.text.slice(0, Math.max(0, answer.text.length - (size - MAX_ANSWER)));
      answer.truncated = true;
      break;
    }
    list.splice(Math.max(0, Math.floor(list.length / 2)));
    answer.truncated = true;
    size = JSON.stringify(answer).length;
  }
  return answer;
};

const collect = (selector, max, map) => {
  const out = [];
  for (const el of document.querySelectorAll(selector)) {
    if (out.length >= max) break;
    if (isSignInElement(el) || el.closest('form, [contenteditable=""], [contenteditable="true"]')) continue;
    const item = map(el);
    if (item) out.push(item);
  }
  return out;
};

const snapshot = () => {
  const body = document.body;
  const { text, truncated } = body ? readText(body, MAX_TEXT) : { text: '', truncated: false };
  const links = collect('a[href]', MAX_LIST, (a) => {
    const label = clampText(a.getAttribute('aria-label') || a.textContent, 200);
    return label ? { text: label, href: clampText(a.href, 1000) } : null;
  });
  const buttons = collect('button, [role="button"]', MAX_LIST, (b) => {
    const label = clampText(b.getAttribute('aria-label') || b.textContent, 200);
    return label ? { text: label } : null;
  });
  return capAnswer({
    url: location.href,
    title: clampText(document.title, 500),
    ...position(),
    text,
    truncated,
    links,
    buttons,
  }, ['links', 'buttons']);
};

const inspect = () => {
  const selector = typeof input.selector === 'string' ? input.selector.slice(0, MAX_SELECTOR) : '';
  if (!selector) return { error: 'selector required' };
  const limit = Math.round(clampNumber(input.limit, 1, 50, 10));
  let found;
  try {
    found = document.querySelectorAll(selector);
  } catch (e) {
    return { error: 'invalid selector', selector };
  }
  const elements = [];
  let hidden = 0;
  for (const el of found) {
    if (elements.length >= limit) break;
    if (isSignInElement(el)) { hidden++; continue; }
    elements.push(describe(el));
  }
  return capAnswer({ selector, count: found.length, hidden, elements }, ['elements']);
};

const scroll = async () => {
  const before = position();
  if (typeof input.selector === 'string' && input.selector) {
    let el = null;
    try {
      el = document.querySelector(input.selector.slice(0, MAX_SELECTOR));
    } catch (e) {
      return { error: 'invalid selector', ...before };
    }
    if (!el) return { error: 'not found', ...before };
    el.scrollIntoView({ block: 'center', behavior: 'instant' });
  } else if (input.to === 'top') {
    window.scrollTo({ top: 0, left: 0, behavior: 'instant' });
  } else if (input.to === 'bottom') {
    window.scrollTo({ top: document.documentElement ? document.documentElement.scrollHeight : 0, behavior: 'instant' });
  } else {
    window.scrollBy({ top: Math.round(clampNumber(input.by, -100000, 100000, window.innerHeight * 0.8)), behavior: 'instant' });
  }
  // Let the page lay out what the scroll revealed.
  await new Promise((done) => setTimeout(done, 150));
  const after = position();
  return { ...after, moved: after.scrollY !== before.scrollY || after.scrollX !== before.scrollX };
};

switch (method) {
case 'snapshot': return snapshot();
case 'inspect': return inspect();
case 'scroll': return await scroll();
default: return { error: 'unknown method' };
}
