// The owner's own channel: step "profile" answers the signed-in owner's Instagram profile
// address (or null); step "posts" answers the latest posts that the open channel tab or profile
// shows, as [{url, title, thumb}], at most "limit" of them. Runs as the body of an async
// function (site, step, limit) in its own world; window.__vtChannelStop asks it to stop.
window.__vtChannelStop = false;
const stopped = () => window.__vtChannelStop === true;
// Message codes, not sentences: the application shows each in the owner's language.
const MSG = {
  notChannel: 'channel.notChannel',
  signIn: 'channel.signIn',
  unreadable: 'channel.unreadable',
};
const max = Number(limit) > 0 ? Math.floor(Number(limit)) : 0;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function findObjects(obj, test, out = [], depth = 0) {
  if (!obj || typeof obj !== 'object' || depth > 80) return out;
  if (Array.isArray(obj)) { for (const x of obj) findObjects(x, test, out, depth + 1); return out; }
  if (test(obj)) out.push(obj);
  for (const k in obj) { const v = obj[k]; if (v && typeof v === 'object') findObjects(v, test, out, depth + 1); }
  return out;
}
const findAll = (obj, key) => {
  const out = [];
  findObjects(obj, (o) => { if (Object.prototype.hasOwnProperty.call(o, key)) out.push(o[key]); return false; });
  return out;
};
const { inlineObjects, textOf } = VtxPageData;
const firstLine = (s) => String(s || '').split('\n').map((x) => x.trim()).find((x) => x) || '';
const httpsOnly = (u) => typeof u === 'string' && u.startsWith('https://') ? u : undefined;
const signInPage = () => /^\/(accounts\/login|challenge|signin|ServiceLogin)/.test(location.pathname) || /accounts\.google\.com$/.test(location.hostname);

// ---- YouTube ---------------------------------------------------------------------------

async function youtubePosts() {
  const parts = location.pathname.split('/').filter(Boolean);
  const tab = parts[parts.length - 1];
  const shorts = tab === 'shorts';
  if (!/^(videos|shorts|streams)$/.test(tab) || !(parts[0] === 'channel' || parts[0].startsWith('@') || parts[0] === 'c' || parts[0] === 'user')) {
    throw new Error(MSG.notChannel);
  }
  const out = [];
  const seen = new Set();
  const push = (p) => {
    if (!p || !p.id || seen.has(p.id) || out.length >= max) return;
    seen.add(p.id);
    // Everything on the Shorts tab is a Short, whatever format the item came in.
    const url = p.shorts || shorts ? 'https://www.youtube.com/shorts/' + p.id : 'https://www.youtube.com/watch?v=' + p.id;
    out.push({ url, title: p.title || '', thumb: httpsOnly(p.thumb) || 'https://i.ytimg.com/vi/' + p.id + '/hqdefault.jpg' });
  };

  const cfg = {};
  for (const o of inlineObjects('ytcfg.set(')) Object.assign(cfg, o);
  const data = inlineObjects(/(?:window\s*\[\s*["']ytInitialData["']\s*\]|\bytInitialData)\s*=\s*/)[0];
  // The selected tab must be the one in the address: a tab switched inside the page leaves
  // the inline data of the first one behind.
  const tabs = data ? findAll(data, 'tabRenderer').filter((t) => t && typeof t === 'object') : [];
  const selected = tabs.find((t) => t.selected && t.content);
  const tabUrl = selected ? String(findAll(selected.endpoint || {}, 'url')[0] || '') : '';
  // Grid items seen in the data, readable or not: items but no posts means a format this
  // script does not know, which the rendered grid may still show.
  let dataItems = 0;
  if (selected && (!tabUrl || tabUrl.endsWith('/' + tab))) {
    const itemsOf = (list) => {
      let next = null;
      for (const item of list || []) {
        if (!item || typeof item !== 'object') continue;
        if (item.continuationItemRenderer || item.continuationItemViewModel) {
          const cmd = findAll(item, 'continuationCommand').find((c) => c && c.token);
          if (cmd) next = cmd.token;
          continue;
        }
        dataItems++;
        for (const p of readItem(item)) push(p);
      }
      return next;
    };
    const grid = findAll(selected.content, 'richGridRenderer')[0] || findAll(selected.content, 'gridRenderer')[0];
    let next = grid ? itemsOf(grid.contents || grid.items) : itemsOf(findAll(selected.content, 'contents').flat());
    for (let guard = 0; next && out.length < max && guard < 200; guard++) {
      if (stopped()) break;
      const page = await youtubeApi('browse', { continuation: next }, cfg);
      let items = [];
      for (const a of findAll(page, 'appendContinuationItemsAction').concat(findAll(page, 'reloadContinuationItemsCommand'))) {
        if (a && Array.isArray(a.continuationItems)) items = items.concat(a.continuationItems);
      }
      const after = itemsOf(items);
      next = after && after !== next ? after : null;
    }
    if (out.length || !dataItems) return out;
  }
  // The rendered grid when the data is not usable.
  const tiles = () => document.querySelectorAll('ytd-rich-grid-renderer ytd-rich-item-renderer, ytd-rich-grid-renderer ytm-shorts-lockup-view-model, '
    + 'ytd-rich-grid-renderer ytm-shorts-lockup-view-model-v2, ytd-rich-grid-renderer yt-lockup-view-model, ytd-grid-video-renderer').length;
  return domGrid(() => Array.from(document.querySelectorAll('ytd-rich-grid-renderer a[href], ytd-section-list-renderer a[href], ytd-browse a[href]')).map((a) => {
    const href = a.getAttribute('href') || '';
    const watch = href.match(/^\/watch\?v=([A-Za-z0-9_-]{6,})/);
    const short = href.match(/^\/shorts\/([A-Za-z0-9_-]{6,})/);
    if (!watch && !short) return null;
    const box = a.closest('ytd-rich-item-renderer, ytd-grid-video-renderer, ytm-shorts-lockup-view-model, ytm-shorts-lockup-view-model-v2, yt-lockup-view-model') || a;
    const titleEl = box.querySelector('#video-title, h3, [title]');
    const img = box.querySelector('img[src^="https://"]');
    return { id: (watch || short)[1], shorts: !!short || shorts, title: (titleEl && (titleEl.getAttribute('title') || titleEl.textContent) || '').trim(),
      thumb: img && img.src };
  }), () => !!document.querySelector('ytd-rich-grid-renderer, ytd-browse'), push, out, tiles);
}

// One grid item in any of the site's formats.
function readItem(item) {
  const out = [];
  for (const v of findAll(item, 'videoRenderer').concat(findAll(item, 'gridVideoRenderer'))) {
    if (v && v.videoId) out.push({ id: v.videoId, shorts: false, title: textOf(v.title), thumb: (((v.thumbnail || {}).thumbnails || []).slice(-1)[0] || {}).url });
  }
  for (const v of findAll(item, 'lockupViewModel')) {
    if (!v || !v.contentId || (v.contentType && !/VIDEO|SHORT/.test(v.contentType))) continue;
    const title = findAll(v.metadata || {}, 'title')[0];
    const src = (findAll(v.contentImage || {}, 'sources')[0] || [])[0];
    out.push({ id: v.contentId, shorts: false, title: textOf(title), thumb: src && src.url });
  }
  for (const v of findAll(item, 'reelItemRenderer')) {
    if (v && v.videoId) out.push({ id: v.videoId, shorts: true, title: textOf(v.headline), thumb: (((v.thumbnail || {}).thumbnails || [])[0] || {}).url });
  }
  for (const v of findAll(item, 'shortsLockupViewModel')) {
    if (!v) continue;
    const ep = findAll(v, 'reelWatchEndpoint')[0];
    const id = (ep && ep.videoId) || String(v.entityId || '').replace(/^shorts-shelf-item-/, '');
    const src = (findAll(v.thumbnailViewModel || v.thumbnail || {}, 'sources')[0] || [])[0];
    if (id) out.push({ id, shorts: true, title: textOf(findAll(v.overlayMetadata || {}, 'primaryText')[0]), thumb: src && src.url });
  }
  return out;
}

async function youtubeApi(path, body, cfg) {
  const context = cfg.INNERTUBE_CONTEXT || { client: { clientName: 'WEB', clientVersion: cfg.INNERTUBE_CLIENT_VERSION || '2.20260101.00.00', hl: 'ko' } };
  const headers = { 'Content-Type': 'application/json', 'X-Youtube-Client-Name': String(cfg.INNERTUBE_CONTEXT_CLIENT_NAME || 1),
    'X-Youtube-Client-Version': String(cfg.INNERTUBE_CLIENT_VERSION || context.client.clientVersion || ''), 'X-Origin': location.origin };
  if (cfg.VISITOR_DATA) headers['X-Goog-Visitor-Id'] = cfg.VISITOR_DATA;
  for (let attempt = 0; attempt < 3; attempt++) {
    let res;
    try {
      res = await fetch('/youtubei/v1/' + path + '?prettyPrint=false', { method: 'POST', credentials: 'same-origin', headers, body: JSON.stringify(Object.assign({ context }, body)) });
    } catch (e) { await sleep(300 * (attempt + 1)); continue; }
    if (res.ok) return res.json();
    if (res.status < 500 && res.status !== 429) break;
    await sleep(600 * (attempt + 1));
  }
  // A later page that fails leaves what was read so far.
  return {};
}

// Reads a rendered grid, scrolling for more until the limit, a stop or no growth. A grid that
// shows tiles (tiles(): how many) of which none can be read is a changed page, not an empty one.
async function domGrid(read, present, push, out, tiles) {
  const ready = await (async () => { for (let i = 0; i < 60; i++) { if (present()) return true; await sleep(50); } return false; })();
  if (!ready) throw new Error(MSG.unreadable);
  let still = 0;
  for (let guard = 0; guard < 200 && out.length < max && !stopped(); guard++) {
    const before = out.length;
    for (const p of read()) push(p);
    if (out.length >= max) break;
    window.scrollTo(0, document.documentElement.scrollHeight);
    window.dispatchEvent(new Event('scroll'));
    await sleep(400);
    still = out.length === before ? still + 1 : 0;
    if (still >= 3) break;
  }
  if (!out.length && tiles && tiles() > 0 && !stopped()) throw new Error(MSG.unreadable);
  return out;
}

// ---- Instagram -------------------------------------------------------------------------

const cookie = (name) => {
  const m = document.cookie.match(new RegExp('(?:^|;\\s*)' + name + '=([^;]*)'));
  return m ? decodeURIComponent(m[1]) : '';
};
const IG_BLOCK = /^(login_required|checkpoint_required|challenge_required|feedback_required|consent_required)$/;
class Blocked extends Error { constructor() { super(MSG.signIn); } }
function pageScripts() {
  let s = '';
  for (const el of document.querySelectorAll('script:not([src])')) s += el.textContent + '\n';
  return s;
}
async function igApi(path) {
  const app = (pageScripts().match(/"(?:X-IG-App-ID|appId|APP_ID|app_id)"\s*:\s*"(\d{6,})"/) || [])[1] || '936619743392459';
  const headers = { 'X-IG-App-ID': app, 'X-Requested-With': 'XMLHttpRequest', 'X-ASBD-ID': '129477', 'X-IG-WWW-Claim': '0' };
  const csrf = cookie('csrftoken');
  if (csrf) headers['X-CSRFToken'] = csrf;
  for (let attempt = 0; attempt < 3; attempt++) {
    let res;
    try { res = await fetch('/api/v1/' + path, { credentials: 'include', headers }); }
    catch (e) { await sleep(400 * (attempt + 1)); continue; }
    if (res.redirected && /\/(accounts\/login|challenge)\//.test(res.url)) throw new Blocked();
    let body = null;
    try { body = JSON.parse((await res.text()).replace(/("(?:pk|id|pk_id|next_max_id)"\s*:\s*)(\d{16,})(?=\s*[,}\]])/g, '$1"$2"')); } catch (e) { body = null; }
    const word = body && (body.message || body.error_type);
    if (body && (body.require_login || body.checkpoint_url || IG_BLOCK.test(String(word || '')))) throw new Blocked();
    if (res.ok && body && body.status !== 'fail') return body;
    if (res.status !== 429 && res.status < 500) return null;
    await sleep(1000 * (attempt + 1));
  }
  return null;
}
const igPostUrl = (code, reel) => 'https://www.instagram.com/' + (reel ? 'reel/' : 'p/') + code + '/';

async function instagramProfile() {
  const me = cookie('ds_user_id');
  if (/^\d+$/.test(me)) {
    const info = await igApi('users/' + me + '/info/');
    const name = info && info.user && info.user.username;
    if (name && /^[A-Za-z0-9._]{1,30}$/.test(name)) return 'https://www.instagram.com/' + name + '/';
  }
  // The navigation's profile link, found by its picture or its label.
  const links = Array.from(document.querySelectorAll('a[href^="/"]')).filter((a) => /^\/[A-Za-z0-9._]{1,30}\/$/.test(a.getAttribute('href')));
  const inNav = (a) => !!a.closest('nav, [role="navigation"]');
  const ownPicture = (a) => {
    const img = a.querySelector('img[alt]');
    const name = a.getAttribute('href').slice(1, -1);
    return !!img && (img.alt.startsWith(name + "'s profile picture") || img.alt.startsWith(name + '님의 프로필 사진'));
  };
  const mine = links.find((a) => /^(profile|프로필)$/i.test((a.textContent || '').trim()))
    || links.find((a) => inNav(a) && ownPicture(a));
  if (!mine) return null;
  const name = mine.getAttribute('href').slice(1, -1);
  if (/^(explore|reels|direct|accounts|stories|p|reel)$/.test(name)) return null;
  return 'https://www.instagram.com/' + name + '/';
}

function profileIdFromPage(name) {
  const m = pageScripts().match(/"profile_id"\s*:\s*"(\d+)"/);
  if (m) return m[1];
  for (const s of document.querySelectorAll('script[type="application/json"]')) {
    let j;
    try { j = JSON.parse(s.textContent); } catch (e) { continue; }
    const u = findObjects(j, (o) => o.username === name && (o.pk || o.id) && /^\d+$/.test(String(o.pk || o.id)))[0];
    if (u) return String(u.pk || u.id);
  }
  return '';
}

async function instagramPosts() {
  const parts = location.pathname.split('/').filter(Boolean);
  const name = parts[0];
  if (parts.length !== 1 || !/^[A-Za-z0-9._]{1,30}$/.test(name) || /^(explore|reels|direct|accounts|stories)$/.test(name)) {
    throw new Error(MSG.notChannel);
  }
  const out = [];
  const seen = new Set();
  const push = (code, reel, caption, thumb) => {
    if (!code || seen.has(code) || out.length >= max) return;
    seen.add(code);
    const title = firstLine(caption);
    out.push({ url: igPostUrl(code, reel), title: title.length > 100 ? title.slice(0, 99) + '…' : title, thumb: httpsOnly(thumb) });
  };
  if (/^\d+$/.test(cookie('ds_user_id'))) {
    let pk = profileIdFromPage(name);
    if (!pk) {
      const info = await igApi('users/web_profile_info/?username=' + encodeURIComponent(name));
      pk = info && info.data && info.data.user && info.data.user.id ? String(info.data.user.id) : '';
    }
    if (pk) {
      let cursor = '';
      let answered = false;
      let items = 0;
      for (let guard = 0; guard < 100 && out.length < max && !stopped(); guard++) {
        const count = Math.min(33, Math.max(12, max - out.length));
        const page = await igApi('feed/user/' + pk + '/?count=' + count + (cursor ? '&max_id=' + encodeURIComponent(cursor) : ''));
        if (!page) break;
        answered = true;
        for (const it of page.items || []) {
          items++;
          const cand = ((it.image_versions2 || {}).candidates || [])[0]
            || (((it.carousel_media || [])[0] || {}).image_versions2 || { candidates: [] }).candidates[0];
          push(it.code, it.product_type === 'clips', it.caption && it.caption.text, cand && cand.url);
        }
        if (!page.more_available || !page.next_max_id || page.next_max_id === cursor) break;
        cursor = String(page.next_max_id);
      }
      // Posts in a shape this script does not read: the rendered grid may still show them.
      if (answered && (out.length || !items)) return out;
    }
  }
  // The rendered grid.
  return domGrid(() => Array.from(document.querySelectorAll('main a[href]')).map((a) => {
    const m = (a.getAttribute('href') || '').match(/^\/(?:[A-Za-z0-9._]{1,30}\/)?(p|reel)\/([A-Za-z0-9_-]{5,})\/?$/);
    if (!m) return null;
    const img = a.querySelector('img');
    return { code: m[2], reel: m[1] === 'reel', caption: img ? img.alt : '', thumb: img && img.src };
  }).filter(Boolean), () => !!document.querySelector('main header, main a[href*="/p/"], main a[href*="/reel/"]'),
  (p) => p && push(p.code, p.reel, p.caption, p.thumb), out);
}

// ---- the step --------------------------------------------------------------------------

if (signInPage()) throw new Error(MSG.signIn);
if (step === 'profile') {
  if (site !== 'instagram') throw new Error(MSG.notChannel);
  return await instagramProfile();
}
if (step === 'posts') {
  if (max === 0) return [];
  if (site === 'youtube') return await youtubePosts();
  if (site === 'instagram') return await instagramPosts();
}
throw new Error(MSG.notChannel);
