// YouTube adapter: reads the open video or Short, collects its comments from the site's own
// comment data (the same requests the page makes), and acts on comments through the page's
// own menus. Falls back to the rendered comment list when the data cannot be reached.
const VtxSite = (() => {
  // Message codes, not sentences: the application shows each in the owner's language.
  const MSG = {
    // Shown on a video page before its first scan.
    intro: 'youtube.intro',
    // Shown on any other page of the site.
    guide: 'youtube.guide',
    empty: 'youtube.empty',
    readOnly: 'youtube.readOnly',
    unsupported: 'unsupported',
    notFound: 'notFound',
    pageChanged: 'pageChanged',
    signIn: 'signIn',
    noMenu: 'youtube.noMenu',
    noDelete: 'youtube.noDelete',
    notGone: 'notGone',
    cancelled: 'cancelled',
    // Why a collection ended before the end the site reports.
    partialData: 'partialData',
    partialReplies: 'partialReplies',
    partialStopped: 'partialStopped',
    noData: 'youtube.noData',
  };

  const { sleep, waitFor, Halt, pause, fetchText } = VtxTime;
  const stopped = VtxTime.stopRequested;
  const isStop = (e) => e instanceof Halt && e.kind === 'stopped';

  // ---- the page ------------------------------------------------------------------------

  function videoRef(href) {
    let u;
    try { u = new URL(href || location.href, location.href); } catch (e) { return null; }
    if (!/(^|\.)youtube\.com$/.test(u.hostname)) return null;
    const short = u.pathname.match(/^\/shorts\/([A-Za-z0-9_-]{6,})/);
    if (short) return { id: short[1], shorts: true };
    if (u.pathname === '/watch' && /^[A-Za-z0-9_-]{6,}$/.test(u.searchParams.get('v') || '')) return { id: u.searchParams.get('v'), shorts: false };
    return null;
  }
  const canonical = (v) => v.shorts ? 'https://www.youtube.com/shorts/' + v.id : 'https://www.youtube.com/watch?v=' + v.id;

  const { inlineObjects, textOf } = VtxPageData;
  const INITIAL_DATA = /(?:window\s*\[\s*["']ytInitialData["']\s*\]|\bytInitialData)\s*=\s*/;
  let configCache = null;
  function config() {
    if (configCache && configCache.doc === document) return configCache.cfg;
    const cfg = {};
    for (const o of inlineObjects('ytcfg.set(')) Object.assign(cfg, o);
    configCache = { doc: document, cfg };
    return cfg;
  }
  const loggedIn = () => {
    const v = config().LOGGED_IN;
    if (v !== undefined) return v === true || v === 'true';
    return /(^|;\s*)(SAPISID|__Secure-3PAPISID)=/.test(document.cookie);
  };

  function findAll(obj, key, out = [], depth = 0) {
    if (!obj || typeof obj !== 'object' || depth > 60) return out;
    if (Array.isArray(obj)) { for (const x of obj) findAll(x, key, out, depth + 1); return out; }
    for (const k in obj) {
      const v = obj[k];
      if (k === key) out.push(v);
      if (v && typeof v === 'object') findAll(v, key, out, depth + 1);
    }
    return out;
  }

  function ownsVideoIn(source, id) {
    return source.includes('studio.youtube.com/video/' + id);
  }
  function ownsVideoOnPage(id) {
    if (document.querySelector('a[href*="studio.youtube.com/video/' + id + '"]')) return true;
    return inlineObjects(INITIAL_DATA).some((d) => {
      const s = JSON.stringify(d);
      return s.includes('"' + id + '"') && ownsVideoIn(s, id);
    });
  }

  // The signed-in request header: one hash per session cookie the page can read. With a user
  // session id the site wants it hashed in front and marked "_u"; SAPISID falls back to the
  // third-party one.
  async function authHeader() {
    if (!window.crypto || !crypto.subtle) return null;
    const read = (name) => { const m = document.cookie.match(new RegExp('(?:^|;\\s*)' + name + '=([^;]+)')); return m ? m[1] : ''; };
    const third = read('__Secure-3PAPISID');
    const sid = read('SAPISID') || third;
    if (!sid) return null;
    const user = String(config().USER_SESSION_ID || '');
    const ts = Math.floor(Date.now() / 1000);
    const sha1 = async (text) => Array.from(new Uint8Array(await crypto.subtle.digest('SHA-1', new TextEncoder().encode(text))))
      .map((b) => b.toString(16).padStart(2, '0')).join('');
    const one = async (scheme, value) => scheme + ' ' + ts + '_' + await sha1((user ? user + ' ' : '') + ts + ' ' + value + ' ' + location.origin) + (user ? '_u' : '');
    const parts = [await one('SAPISIDHASH', sid)];
    const first = read('__Secure-1PAPISID');
    if (first) parts.push(await one('SAPISID1PHASH', first));
    if (third) parts.push(await one('SAPISID3PHASH', third));
    return parts.join(' ');
  }

  class ApiError extends Error {
    constructor(status) { super('HTTP ' + status); this.status = status; }
  }
  // The request as the page itself sends it: its client context, and the sign-in headers when signed in.
  async function apiRequest(body) {
    const cfg = config();
    const context = cfg.INNERTUBE_CONTEXT || { client: { clientName: 'WEB', clientVersion: cfg.INNERTUBE_CLIENT_VERSION || '2.20260101.00.00', hl: 'ko' } };
    const headers = { 'Content-Type': 'application/json', 'X-Youtube-Client-Name': String(cfg.INNERTUBE_CONTEXT_CLIENT_NAME || 1),
      'X-Youtube-Client-Version': String(cfg.INNERTUBE_CLIENT_VERSION || context.client.clientVersion || ''), 'X-Origin': location.origin };
    if (cfg.VISITOR_DATA) headers['X-Goog-Visitor-Id'] = cfg.VISITOR_DATA;
    const auth = loggedIn() ? await authHeader() : null;
    if (auth) {
      headers.Authorization = auth;
      headers['X-Goog-AuthUser'] = String(cfg.SESSION_INDEX || 0);
      headers['X-Youtube-Bootstrap-Logged-In'] = 'true';
      if (cfg.DELEGATED_SESSION_ID) headers['X-Goog-PageId'] = cfg.DELEGATED_SESSION_ID;
    }
    return { method: 'POST', credentials: 'same-origin', headers, body: JSON.stringify(Object.assign({ context }, body)) };
  }
  const apiUrl = (path) => '/youtubei/v1/' + path + '?prettyPrint=false';

  // One data request: each attempt gives up after REQUEST_MS, three attempts at most, and a stop
  // ends it at once (Halt 'stopped'). A page that is no JSON (an error page sent with 200, an
  // answer cut off) counts as a failed attempt. With a stall budget, attempts wait no longer
  // than what is left of it, and none is made once it is gone (Halt 'timeout').
  const REQUEST_MS = 10000;
  async function api(path, body, budget) {
    const init = await apiRequest(body);
    const gaveUp = budget ? () => stopped() || budget.gone : stopped;
    let lastError = null;
    for (let attempt = 0; attempt < 3; attempt++) {
      if (budget && budget.gone) throw new Halt('timeout');
      const started = Date.now();
      let got;
      try {
        got = await fetchText(apiUrl(path), init, budget ? Math.max(1, Math.min(REQUEST_MS, budget.left)) : REQUEST_MS, gaveUp);
      } catch (e) {
        if (isStop(e) && stopped()) throw e;
        if (e instanceof Halt && budget) {
          budget.spend(Date.now() - started);
          if (budget.gone) throw new Halt('timeout');
        }
        lastError = e;
        await pause(300 * (attempt + 1));
        continue;
      }
      if (got.res.ok) {
        try { return JSON.parse(got.text); } catch (e) { lastError = new ApiError(got.res.status); }
      } else {
        lastError = new ApiError(got.res.status);
        if (got.res.status < 500 && got.res.status !== 429) break;
      }
      await pause(500 * (attempt + 1));
    }
    throw lastError;
  }

  // ---- reading comments from the site's data ---------------------------------------------

  function parseCount(text) {
    const s = String(text || '').replace(/\s/g, '');
    const exact = s.match(/\d[\d,.]*/);
    if (!exact) return null;
    const unit = s.match(/\d[\d,.]*(k|m|b|천|만|억)/i);
    if (!unit) return parseInt(exact[0].replace(/[,.]/g, ''), 10);
    const n = parseFloat(exact[0].replace(/,/g, ''));
    const mult = { k: 1e3, m: 1e6, b: 1e9, 천: 1e3, 만: 1e4, 억: 1e8 }[unit[1].toLowerCase()];
    return Math.round(n * mult);
  }

  function likesFrom(toolbar) {
    if (!toolbar) return undefined;
    if (toolbar.likeCountA11y) {
      const n = parseCount(toolbar.likeCountA11y);
      if (n !== null) return n;
    }
    const shown = (toolbar.likeCountNotliked || '').trim();
    if (toolbar.likeCountNotliked !== undefined && shown === '') return 0;
    const n = parseCount(shown);
    return n === null ? undefined : n;
  }

  function tokenOf(item) {
    const r = item && item.continuationItemRenderer;
    if (!r) return null;
    const cmd = findAll(r, 'continuationCommand')[0];
    return cmd && cmd.token ? cmd.token : null;
  }

  // An author's channel id ("UC" and 22 more today), the one name of a channel that never changes;
  // other browse ids (feeds, playlists) are not authors.
  const channelId = (...candidates) => candidates.find((v) => typeof v === 'string' && /^UC[\w-]{10,64}$/.test(v));
  const browseIdOf = (endpoint) => ((endpoint || {}).browseEndpoint || {}).browseId;

  class Reader {
    constructor() { this.entities = new Map(); this.actions = new Map(); }
    absorb(json) {
      for (const list of findAll(json, 'mutations')) {
        if (!Array.isArray(list)) continue;
        for (const m of list) if (m && m.entityKey && m.payload) this.entities.set(m.entityKey, m.payload);
      }
    }
    // The owner's Remove (Delete, on the owner's own comment) as the comment's menu data offers it,
    // when the site sends that data with the comment: inline in older renderers, or in an entity
    // the view model names. Items are told by their icon or text, as on the page; the action is
    // the token the page's own menu sends.
    removeActionOf(vm) {
      const roots = [vm];
      for (const k of [vm.commentSurfaceKey, vm.toolbarSurfaceKey, vm.commentKey]) if (k && this.entities.has(k)) roots.push(this.entities.get(k));
      for (const root of roots) {
        for (const item of findAll(root, 'menuServiceItemRenderer').concat(findAll(root, 'menuNavigationItemRenderer'))) {
          if (!item || typeof item !== 'object') continue;
          const icon = String((item.icon || {}).iconType || '');
          const text = textOf(item.text).trim().toLowerCase();
          if (!/DELETE/.test(icon) && !DELETE_WORDS.some((w) => text === w || text.startsWith(w + ' '))) continue;
          const ep = findAll(item, 'performCommentActionEndpoint').find((x) => x && typeof x.action === 'string' && x.action);
          if (ep) return ep.action;
        }
      }
      return null;
    }
    comment(vm, thread, now) {
      const c = this.readComment(vm, thread, now);
      const action = c && c.id ? this.removeActionOf(vm) : null;
      if (action) this.actions.set(c.id, action);
      return c;
    }
    // One comment from a view model (current pages) or a renderer (older pages).
    readComment(vm, thread, now) {
      if (vm.commentKey || vm.commentId && !vm.contentText) {
        const ent = (this.entities.get(vm.commentKey) || {}).commentEntityPayload;
        if (!ent) return null;
        const p = ent.properties || {}, a = ent.author || {};
        const state = (this.entities.get(vm.toolbarStateKey) || {}).engagementToolbarStateEntityPayload || {};
        return {
          id: p.commentId || vm.commentId,
          text: (p.content && p.content.content) || '',
          authorName: a.displayName || '',
          authorId: channelId(a.channelId, browseIdOf((a.channelCommand || {}).innertubeCommand)),
          publishedAt: VtxTime.parse(p.publishedTime, now),
          likeCount: likesFrom(ent.toolbar),
          isOwner: !!a.isCreator,
          avatar: a.avatarThumbnailUrl || undefined,
          pinned: !!vm.pinnedText,
          hearted: state.heartState === 'TOOLBAR_HEART_STATE_HEARTED',
          siteSpam: !!(thread && thread.isModeratedElqComment === true),
        };
      }
      if (vm.commentId) {
        const likes = vm.voteCount ? parseCount(textOf(vm.voteCount)) : 0;
        return {
          id: vm.commentId,
          text: textOf(vm.contentText),
          authorName: textOf(vm.authorText),
          authorId: channelId(browseIdOf(vm.authorEndpoint), browseIdOf(vm.authorNameEndpoint)),
          publishedAt: VtxTime.parse(textOf(vm.publishedTimeText), now),
          likeCount: likes === null ? undefined : likes,
          isOwner: !!vm.authorIsChannelOwner,
          avatar: (((vm.authorThumbnail || {}).thumbnails || [])[0] || {}).url,
          pinned: !!vm.pinnedCommentBadge,
          hearted: !!findAll(vm.actionButtons, 'creatorHeart').length,
          siteSpam: !!(thread && thread.isModeratedElqComment === true),
        };
      }
      return null;
    }
    // Threads, loose replies and the next token out of one list of continuation items.
    items(list, now) {
      const out = { threads: [], replies: [], next: null, unreadable: 0 };
      for (const item of list || []) {
        if (!item || typeof item !== 'object') continue;
        if (item.commentThreadRenderer) {
          const t = item.commentThreadRenderer;
          const vm = (t.commentViewModel && (t.commentViewModel.commentViewModel || t.commentViewModel)) || (t.comment && t.comment.commentRenderer);
          const c = vm && this.comment(vm, t, now);
          if (!c) { out.unreadable++; continue; }
          const rr = t.replies && t.replies.commentRepliesRenderer;
          // Replies: loose ones, or (since late 2025) threads of their own, nested.
          const sub = rr ? this.items((rr.subThreads || []).concat(rr.contents || []), now) : null;
          const replies = [], tokens = [];
          if (sub) {
            for (const x of sub.threads) { replies.push(x.comment, ...x.replies); tokens.push(...x.tokens); }
            replies.push(...sub.replies);
            if (sub.next) tokens.push(sub.next);
            out.unreadable += sub.unreadable;
          }
          out.threads.push({ comment: c, replies, tokens });
        } else if (item.commentViewModel || item.commentRenderer) {
          const vm = item.commentViewModel ? (item.commentViewModel.commentViewModel || item.commentViewModel) : item.commentRenderer;
          const c = this.comment(vm, null, now);
          if (c) out.replies.push(c); else out.unreadable++;
        } else if (item.continuationItemRenderer) {
          out.next = tokenOf(item) || out.next;
        }
      }
      return out;
    }
  }

  function continuationItems(json) {
    let items = [];
    for (const ep of (json.onResponseReceivedEndpoints || json.onResponseReceivedActions || [])) {
      const cmd = ep.reloadContinuationItemsCommand || ep.appendContinuationItemsAction;
      if (cmd && Array.isArray(cmd.continuationItems)) items = items.concat(cmd.continuationItems);
    }
    return items;
  }

  function commentsToken(data) {
    const sections = findAll(data, 'itemSectionRenderer').filter((s) => s && s.sectionIdentifier === 'comment-item-section');
    for (const s of sections) for (const item of s.contents || []) { const t = tokenOf(item); if (t) return t; }
    const panels = findAll(data, 'engagementPanelSectionListRenderer').filter((p) => /comment/.test(String(p.panelIdentifier || p.targetId || '')));
    for (const p of panels) {
      for (const sec of findAll(p.content, 'itemSectionRenderer')) for (const item of sec.contents || []) { const t = tokenOf(item); if (t) return t; }
    }
    return null;
  }
  const commentsOff = (data) => findAll(data, 'itemSectionRenderer').some((s) => s && s.sectionIdentifier === 'comment-item-section'
    && (s.contents || []).some((i) => i.messageRenderer));

  function ownerHandles(data) {
    const out = new Set();
    for (const o of findAll(data, 'videoOwnerRenderer')) {
      const url = (findAll(o, 'canonicalBaseUrl')[0] || '');
      if (url.startsWith('/@')) out.add(decodeURIComponent(url.slice(1)));
    }
    return out;
  }

  // The comments as the site's data gives them. The first requests failing gives null (the
  // rendered list is tried instead); a later one failing keeps what was read and says why.
  async function collectFromData(v, opts, ctx) {
    const now = Date.now();
    const data = await api('next', { videoId: v.id });
    const owners = ownerHandles(data);
    const dataText = JSON.stringify(data);
    const canRemove = loggedIn() && ownsVideoIn(dataText, v.id);
    const token = commentsToken(data);
    const result = { items: [], siteSorted: false, total: 0, canRemove, likesUnknown: false, owners };
    if (!token) {
      if (!commentsOff(data)) return null;
      result.complete = true;
      return result;
    }
    const reader = new Reader();
    result.actions = reader.actions;
    let page = await api('next', { continuation: token });
    reader.absorb(page);
    let header = findAll(page, 'commentsHeaderRenderer')[0];
    const sortItems = header ? findAll(header, 'subMenuItems')[0] || [] : [];
    if (opts.sortNewest) {
      const newest = sortItems[1];
      const t = newest && findAll(newest, 'continuationCommand')[0];
      if (newest && newest.selected) result.siteSorted = true;
      else if (t && t.token) {
        page = await api('next', { continuation: t.token });
        reader.absorb(page);
        header = findAll(page, 'commentsHeaderRenderer')[0] || header;
        result.siteSorted = true;
      }
    }
    if (header) result.total = parseCount(textOf(header.countText) || textOf(header.commentsCount)) || 0;

    const limit = Number(opts.limit) > 0 ? Number(opts.limit) : Infinity;
    const known = new Set(Array.isArray(opts.known) ? opts.known : []);
    const need = new Set(Array.isArray(opts.need) ? opts.need : []);
    // Known comments mark the end of what is new only in newest-first order.
    const stopAtKnown = Number(opts.stopAtKnown) > 0 && known.size && result.siteSorted ? Number(opts.stopAtKnown) : 0;
    const needThreads = new Set([...need].map((id) => id.split('.')[0]));
    const seen = new Set();
    const threads = [];
    let count = 0, knownSeen = 0;
    const add = (c) => {
      if (!c || !c.id || seen.has(c.id)) return false;
      seen.add(c.id);
      count++;
      ctx.sample(c, owners);
      return true;
    };

    let next = null;
    let stoppedEarly = false;
    let unreadable = 0;
    let partial = '';
    const take = (list) => {
      const parsed = reader.items(list, now);
      unreadable += parsed.unreadable;
      for (const t of parsed.threads) {
        if (count >= limit) { result.limited = true; stoppedEarly = true; break; }
        if (!add(t.comment)) continue;
        needThreads.delete(t.comment.id);
        if (known.has(t.comment.id)) knownSeen++;
        const entry = { comment: t.comment, replies: [], tokens: t.tokens.slice() };
        for (const r of t.replies) if (count < limit && add(r)) entry.replies.push(r);
        threads.push(entry);
      }
      next = parsed.next;
    };
    take(continuationItems(page));
    ctx.progress(count, result.total);
    // The site's continuations sometimes run in a circle: a token seen before, or pages that
    // bring no comment not seen yet, end the list.
    const usedTokens = new Set();
    let idlePages = 0;
    for (;;) {
      if (ctx.stopped() || result.limited) { stoppedEarly = true; break; }
      if (stopAtKnown && knownSeen >= stopAtKnown && needThreads.size === 0) { result.caughtUp = true; break; }
      if (!next || usedTokens.has(next)) break;
      usedTokens.add(next);
      const before = count;
      try {
        page = await api('next', { continuation: next });
      } catch (e) {
        if (isStop(e)) { stoppedEarly = true; break; }
        partial = MSG.partialData;
        break;
      }
      reader.absorb(page);
      take(continuationItems(page));
      ctx.progress(count, result.total);
      idlePages = count === before ? idlePages + 1 : 0;
      if (idlePages >= 3) break;
    }

    // Replies, a few threads at a time. Requests the site leaves unanswered share one budget of
    // waiting: once it is spent the remaining threads keep the replies read so far.
    const budget = VtxTime.stallBudget(opts);
    const pending = threads.filter((t) => t.tokens.length);
    let cursor = 0;
    const worker = async () => {
      while (cursor < pending.length) {
        const t = pending[cursor++];
        if (budget.gone) { if (!partial) partial = MSG.partialReplies; continue; }
        // Reply pages can run in a circle too.
        const used = new Set();
        let idle = 0;
        while (t.tokens.length) {
          if (ctx.stopped()) { stoppedEarly = true; return; }
          if (count >= limit) { result.limited = true; stoppedEarly = true; return; }
          const token = t.tokens.shift();
          if (used.has(token) || idle >= 3) continue;
          used.add(token);
          // New replies of this thread (others' progress says nothing about a circle here).
          const before = t.replies.length;
          let json;
          try {
            json = await api('next', { continuation: token }, budget);
          } catch (e) {
            if (isStop(e) && stopped()) { stoppedEarly = true; return; }
            // This thread's remaining replies stay unread; the others go on.
            if (!partial) partial = MSG.partialReplies;
            break;
          }
          reader.absorb(json);
          const parsed = reader.items(continuationItems(json), now);
          const found = [];
          for (const x of parsed.threads) { found.push(x.comment, ...x.replies); t.tokens.push(...x.tokens); }
          found.push(...parsed.replies);
          for (const r of found) {
            if (count >= limit) { result.limited = true; break; }
            if (add(r)) t.replies.push(r);
          }
          if (parsed.next) t.tokens.push(parsed.next);
          idle = t.replies.length === before ? idle + 1 : 0;
          ctx.progress(count, result.total);
        }
      }
    };
    await Promise.all([worker(), worker(), worker(), worker()]);

    for (const t of threads) { result.items.push(t.comment); for (const r of t.replies) result.items.push(r); }
    if (ctx.stopped()) stoppedEarly = true;
    if (partial) result.partial = partial;
    else if (stoppedEarly && !result.limited) result.partial = MSG.partialStopped;
    if (!stoppedEarly && !result.caughtUp && !partial) result.complete = true;
    if (!result.total) result.total = result.items.length;
    // Data in a shape this script does not read: let the rendered list answer instead.
    if (!result.items.length && (unreadable > 0 || result.total > 0) && !ctx.stopped() && !partial) return null;
    return result;
  }

  // ---- the rendered comment list ---------------------------------------------------------

  function commentsRoot() {
    const roots = [
      'ytd-comments#comments ytd-item-section-renderer#sections',
      'ytd-engagement-panel-section-list-renderer[target-id="engagement-panel-comments-section"] ytd-item-section-renderer',
      'ytd-engagement-panel-section-list-renderer[target-id*="comments"] ytd-item-section-renderer',
      'ytd-comments ytd-item-section-renderer',
    ];
    // A layout may keep a hidden, empty section in #comments and show the list elsewhere
    // (the side panel): the first shown section wins, else the first there is.
    const found = roots.flatMap((sel) => Array.from(document.querySelectorAll(sel)));
    const shown = found.find((el) => !el.closest('[hidden], [aria-hidden="true"]') && el.getClientRects().length > 0);
    return shown || found[0] || null;
  }
  const contentsOf = (root) => root && (root.querySelector(':scope > #contents') || root.querySelector('#contents'));

  async function openShortsPanel() {
    const panel = document.querySelector('ytd-engagement-panel-section-list-renderer[target-id="engagement-panel-comments-section"]');
    if (panel && panel.getAttribute('visibility') === 'ENGAGEMENT_PANEL_VISIBILITY_EXPANDED') return true;
    const button = document.querySelector('ytd-reel-video-renderer[is-active] #comments-button button, #comments-button button');
    if (!button) return false;
    button.click();
    return !!(await waitFor(() => {
      const p = document.querySelector('ytd-engagement-panel-section-list-renderer[target-id="engagement-panel-comments-section"]');
      return p && p.getAttribute('visibility') === 'ENGAGEMENT_PANEL_VISIBILITY_EXPANDED';
    }, 3000));
  }

  const commentNodes = (scope) => Array.from((scope || document).querySelectorAll('ytd-comment-view-model, ytd-comment-renderer'));
  function idOfNode(node) {
    const a = node.querySelector('#published-time-text a, a#published-time-text, #header-author a[href*="lc="]');
    const m = a && /[?&]lc=([^&#]+)/.exec(a.getAttribute('href') || '');
    return m ? decodeURIComponent(m[1]) : null;
  }
  function nodeById(id) {
    for (const n of commentNodes(document)) if (idOfNode(n) === id) return n;
    return null;
  }
  function readNode(node, now) {
    const q = (sel) => node.querySelector(sel);
    // The count shows short ("1.2K", empty for none); the like button's label says the exact
    // number in the page's language ("Like this comment along with 1,234 other people").
    const likeEl = q('#vote-count-middle');
    const likeButton = q('#like-button button[aria-label], #like-button[aria-label]');
    let likes;
    if (likeEl) {
      const exact = parseCount(likeEl.getAttribute('aria-label'));
      const labelled = likeButton ? parseCount(likeButton.getAttribute('aria-label')) : null;
      const shown = likeEl.textContent.trim();
      likes = exact !== null ? exact : labelled !== null ? labelled : shown === '' ? 0 : (parseCount(shown) ?? undefined);
    }
    const author = q('#author-text');
    return {
      id: idOfNode(node),
      text: (q('#content-text') || {}).textContent ? q('#content-text').textContent.trim() : '',
      authorName: author ? author.textContent.trim() : '',
      // The list shows the channel id only in the link of a channel without a handle.
      authorId: channelId((/^\/channel\/([^/?#]+)/.exec((author && author.getAttribute('href')) || '') || [])[1]),
      publishedAt: VtxTime.parse((q('#published-time-text') || {}).textContent, now),
      likeCount: likes,
      isOwner: !!q('#author-comment-badge ytd-author-comment-badge-renderer, ytd-author-comment-badge-renderer[creator]'),
      avatar: ((q('#author-thumbnail img') || {}).src || '').startsWith('http') ? q('#author-thumbnail img').src : undefined,
      pinned: !!q('#pinned-comment-badge'),
      siteSpam: false,
    };
  }

  // Loads one more step of the rendered list: 'grew', 'end' (nothing more to load), 'stalled'
  // (the page did not load the next step in time) or 'stopped'.
  async function loadMore(contents) {
    const spinner = contents.querySelector(':scope > ytd-continuation-item-renderer');
    if (!spinner) return 'end';
    const before = contents.children.length;
    spinner.scrollIntoView({ block: 'end' });
    window.dispatchEvent(new Event('scroll'));
    const grew = await waitFor(() => contents.children.length !== before || !spinner.isConnected || stopped(), 8000);
    if (stopped()) return 'stopped';
    return grew ? 'grew' : 'stalled';
  }
  // Opens all of a thread's replies; false when some did not load.
  async function expandReplies(thread) {
    const more = thread.querySelector('#replies #more-replies button') || thread.querySelector('#replies #more-replies');
    const box = thread.querySelector('#replies');
    if (!box) return true;
    if (more && !more.closest('[hidden]')) {
      const before = commentNodes(box).length;
      more.click();
      if (!(await waitFor(() => commentNodes(box).length > before || stopped(), 5000))) return false;
    }
    for (let guard = 0; guard < 200 && !stopped(); guard++) {
      const button = box.querySelector('ytd-continuation-item-renderer button');
      if (!button) break;
      const before = commentNodes(box).length;
      button.click();
      if (!(await waitFor(() => commentNodes(box).length > before || stopped(), 5000))) return false;
    }
    return true;
  }

  // Picks "Newest first" in the page's own sort menu (second option; its text is localized).
  async function sortPageNewest(root, waitForList = true) {
    const header = root && (root.querySelector('ytd-comments-header-renderer') || document.querySelector('ytd-comments-header-renderer'));
    const label = header && (header.querySelector('#sort-menu tp-yt-paper-button') || header.querySelector('#sort-menu yt-dropdown-menu'));
    if (!label) return false;
    label.click();
    const options = await waitFor(() => {
      const list = header.querySelectorAll('#sort-menu tp-yt-paper-listbox a.yt-simple-endpoint, #sort-menu tp-yt-paper-listbox a');
      return list.length >= 2 ? list : null;
    }, 3000);
    if (!options) return false;
    if (options[1].classList.contains('iron-selected')) { label.click(); return true; }
    const contents = contentsOf(root);
    const first = contents && contents.firstElementChild;
    (options[1].querySelector('tp-yt-paper-item') || options[1]).click();
    if (!waitForList) return true;
    // The list reloads: wait until its first element is a new one.
    await waitFor(() => contents && contents.firstElementChild && contents.firstElementChild !== first
      && contents.querySelector(':scope > ytd-comment-thread-renderer'), 8000);
    return true;
  }

  async function collectFromPage(v, opts, ctx) {
    if (v.shorts) await openShortsPanel();
    const root = await waitFor(commentsRoot, 5000);
    const contents = contentsOf(root);
    if (!contents) throw new Error(MSG.unsupported);
    await waitFor(() => contents.children.length > 0, 5000);
    const sorted = opts.sortNewest ? await sortPageNewest(root) : false;
    const now = Date.now();
    const limit = Number(opts.limit) > 0 ? Number(opts.limit) : Infinity;
    const result = { items: [], siteSorted: sorted, total: 0, canRemove: loggedIn() && ownsVideoOnPage(v.id), likesUnknown: false, owners: new Set(), hidden: document.hidden || undefined };
    const countText = (document.querySelector('ytd-comments-header-renderer #count') || {}).textContent;
    result.total = parseCount(countText) || 0;
    const seen = new Set();
    let stoppedEarly = false;
    let partial = '';
    for (;;) {
      for (const thread of contents.querySelectorAll(':scope > ytd-comment-thread-renderer')) {
        if (thread.dataset.vtxRead) continue;
        if (!(await expandReplies(thread)) && !partial) partial = MSG.partialReplies;
        thread.dataset.vtxRead = '1';
        for (const n of commentNodes(thread)) {
          const c = readNode(n, now);
          if (!c.id || seen.has(c.id)) continue;
          if (result.items.length >= limit) { result.limited = true; break; }
          seen.add(c.id);
          result.items.push(c);
          ctx.sample(c, result.owners);
        }
        ctx.progress(result.items.length, result.total);
        if (result.limited || ctx.stopped()) break;
      }
      if (result.limited || ctx.stopped()) { stoppedEarly = true; break; }
      const step = await loadMore(contents);
      if (step === 'stopped') { stoppedEarly = true; break; }
      // The page may have loaded the last threads by itself: read those before ending.
      if (step !== 'grew' && !contents.querySelector(':scope > ytd-comment-thread-renderer:not([data-vtx-read])')) {
        if (step === 'stalled') partial = MSG.partialData;
        break;
      }
    }
    for (const t of contents.querySelectorAll('[data-vtx-read]')) delete t.dataset.vtxRead;
    if (ctx.stopped()) stoppedEarly = true;
    if (partial) result.partial = partial;
    else if (stoppedEarly && !result.limited) result.partial = MSG.partialStopped;
    if (!stoppedEarly && !partial) result.complete = true;
    if (!result.total) result.total = result.items.length;
    return result;
  }

  // ---- operations ------------------------------------------------------------------------

  async function info() {
    const v = videoRef();
    const base = { site: 'youtube', supported: false, canRemove: false, intro: MSG.intro, guide: MSG.guide, emptyText: MSG.empty, readOnlyHint: MSG.readOnly, url: location.href };
    if (!v) return base;
    return Object.assign(base, { supported: true, canRemove: loggedIn() && ownsVideoOnPage(v.id), url: canonical(v),
      thumbnail: 'https://i.ytimg.com/vi/' + v.id + '/hqdefault.jpg' });
  }

  // The remove actions of the last collection's comments, by comment id, and the video they are of.
  let removeActions = { video: '', map: new Map() };

  async function collect(opts, ctx) {
    const v = videoRef();
    if (!v) throw new Error(MSG.unsupported);
    let result = null;
    if (config().INNERTUBE_CONTEXT || config().INNERTUBE_CLIENT_VERSION) {
      try { result = await collectFromData(v, opts, ctx); }
      catch (e) {
        if (e && e.message === MSG.pageChanged) throw e;
        // Stopped before anything was read: nothing to fall back on.
        result = isStop(e) ? { items: [], siteSorted: false, total: 0, canRemove: loggedIn() && ownsVideoOnPage(v.id),
                               likesUnknown: false, owners: new Set(), partial: MSG.partialStopped } : null;
      }
    }
    if (result && opts.sortNewest && result.siteSorted && !v.shorts) {
      // Show the page in the order it was collected in; the data already came newest first.
      try { await sortPageNewest(commentsRoot(), false); } catch (e) { /* the page keeps its order */ }
    }
    if (!result) {
      result = await collectFromPage(v, opts, ctx);
      // The page says it has comments, yet none could be read: say so instead of an empty result.
      if (!result.items.length && result.total > 0 && !ctx.stopped()) throw new Error(result.partial ? MSG.noData : MSG.pageChanged);
    }
    if (videoRef() === null || videoRef().id !== v.id) throw new Error(MSG.pageChanged);
    removeActions = { video: v.id, map: result.actions || new Map() };
    delete result.actions;
    result.likesUnknown = result.items.length > 0 && result.items.every((c) => typeof c.likeCount !== 'number');
    return result;
  }

  const shown = (sel) => Array.from(document.querySelectorAll(sel)).some((e) => e.isConnected && !e.closest('[aria-hidden="true"]'));
  // The site asks for a sign-in, or for a check that it is a person acting.
  const signInShown = () => shown('ytd-popup-container ytd-modal-with-title-and-button-renderer, tp-yt-paper-dialog ytd-modal-with-title-and-button-renderer, ytd-popup-container a[href*="accounts.google.com"]');
  const checkShown = () => shown('iframe[src*="recaptcha"], iframe[src*="/sorry/"], ytd-popup-container [id*="captcha"]');
  const blocker = () => checkShown() ? 'check' : signInShown() ? 'signin' : null;
  const blockedStop = (what) => ({ stop: { text: what === 'check' ? MSG.notGone : MSG.signIn, kind: 'blocked' } });

  const DELETE_WORDS = ['remove', 'delete', '삭제', '제거', 'entfernen', 'löschen', 'supprimer', 'eliminar', 'borrar', 'rimuovi', 'elimina', 'remover', 'excluir', '削除', '删除', '刪除'];
  function deleteItem(items) {
    for (const item of items) {
      const icon = (item.querySelector('yt-icon') || {}).getAttribute ? (item.querySelector('yt-icon').getAttribute('icon') || item.querySelector('yt-icon').getAttribute('data-icon') || '') : '';
      const text = item.textContent.trim().toLowerCase();
      if (/delete/i.test(icon) || DELETE_WORDS.some((w) => text === w || text.startsWith(w + ' '))) return item;
    }
    return null;
  }
  const menuItems = () => Array.from(document.querySelectorAll(
    'ytd-popup-container tp-yt-iron-dropdown:not([aria-hidden="true"]) ytd-menu-service-item-renderer, ' +
    'ytd-popup-container tp-yt-iron-dropdown:not([aria-hidden="true"]) ytd-menu-navigation-item-renderer, ' +
    'ytd-popup-container yt-list-item-view-model, ytd-popup-container yt-sheet-view-model yt-list-item-view-model'));
  const closeMenus = () => document.dispatchEvent(new KeyboardEvent('keydown', { key: 'Escape', bubbles: true }));

  async function findNode(id) {
    let node = nodeById(id);
    if (node) return node;
    const v = videoRef();
    if (v && v.shorts) await openShortsPanel();
    const contents = contentsOf(commentsRoot());
    if (!contents) return null;
    const parent = id.includes('.') ? id.split('.')[0] : null;
    for (let guard = 0; guard < 2000; guard++) {
      if (window.__vtxStop) return null;
      if (parent) {
        const p = nodeById(parent);
        if (p) {
          const thread = p.closest('ytd-comment-thread-renderer');
          if (thread) await expandReplies(thread);
          return nodeById(id);
        }
      }
      if ((await loadMore(contents)) !== 'grew') break;
      node = nodeById(id);
      if (node) return node;
    }
    return nodeById(id);
  }

  async function removeOne(node) {
    node.dispatchEvent(new MouseEvent('mouseover', { bubbles: true }));
    node.dispatchEvent(new MouseEvent('mouseenter', { bubbles: false }));
    const button = ['#action-menu button', '#action-menu [role="button"]', '#action-menu yt-icon-button']
      .map((sel) => node.querySelector(sel)).find(Boolean);
    if (!button) return { stop: { text: MSG.noMenu, kind: 'error' } };
    node.scrollIntoView({ block: 'center' });
    button.click();
    const opened = await waitFor(() => menuItems().length ? 'menu' : blocker(), 4000);
    if (opened === 'signin' || opened === 'check') return blockedStop(opened);
    if (!opened) return { stop: { text: MSG.noMenu, kind: 'error' } };
    const item = deleteItem(menuItems());
    if (!item) { closeMenus(); return { stop: { text: MSG.noDelete, kind: 'error' } }; }
    (item.querySelector('tp-yt-paper-item') || item).click();
    const confirm = await waitFor(() => document.querySelector('yt-confirm-dialog-renderer #confirm-button button')
      || document.querySelector('yt-confirm-dialog-renderer #confirm-button')
      || blocker() || (!node.isConnected ? 'gone' : null), 2000);
    if (confirm === 'signin' || confirm === 'check') return blockedStop(confirm);
    if (confirm && confirm !== 'gone') confirm.click();
    const outcome = await waitFor(() => !node.isConnected ? 'gone' : blocker(), 8000);
    if (outcome === 'signin' || outcome === 'check') return blockedStop(outcome);
    if (outcome !== 'gone') return { stop: { text: MSG.notGone, kind: 'error' } };
    return { gone: true };
  }

  // A comment the page does not show: the owner's Remove sent as the page's own menu sends it,
  // with the action the last scan read from the comment's data (null when it read none). The
  // request is not cut short by a stop, so that its outcome is known.
  async function removeUnseen(id) {
    const v = videoRef();
    const action = v && removeActions.video === v.id ? removeActions.map.get(id) : null;
    if (!action) return null;
    let got;
    try {
      got = await fetchText(apiUrl('comment/perform_comment_action'), await apiRequest({ actions: [action] }), REQUEST_MS, () => false);
    } catch (e) {
      return { stop: { text: MSG.notGone, kind: 'error' } };
    }
    const status = got.res.status;
    if (status === 401) return blockedStop('signin');
    if (status === 429) return blockedStop('check');
    if (status === 403) return { stop: { text: MSG.noDelete, kind: 'error' } };
    let json = null;
    try { json = JSON.parse(got.text); } catch (e) { json = null; }
    const results = json ? findAll(json, 'actionResults').flat() : [];
    if (!got.res.ok || !results.some((x) => x && x.status === 'STATUS_SUCCEEDED')) return { stop: { text: MSG.notGone, kind: 'error' } };
    removeActions.map.delete(id);
    return { gone: true };
  }

  // Deletion may start only on the post it was asked for, by a signed-in owner.
  function refuseRemoval(url) {
    const v = videoRef(), target = videoRef(url);
    if (!v || !target || v.id !== target.id) return { text: MSG.pageChanged, kind: 'error' };
    if (!loggedIn()) return { text: MSG.signIn, kind: 'blocked' };
    return null;
  }
  // A reply's id is its thread's id, a dot, and its own part.
  const parentOf = (id) => (id.includes('.') ? id.split('.')[0] : null);
  const shownComments = () => commentNodes(document).map((node) => ({ id: idOfNode(node), node }));

  return { name: 'youtube', info, collect, refuseRemoval, parentOf, nodeById, findNode,
           removeOne: (id, node) => removeOne(node), removeUnseen, removePauseMs: 150, shownComments, videoRef, MSG };
})();
