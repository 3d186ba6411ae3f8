// The fixture page's own application: renders the comment section from the site's JSON,
// loads more threads when the trailing spinner comes into view, expands replies, sorts,
// and runs the owner's action menu with its confirmation. Runs in the page's main world.
(function () {
  'use strict';
  const data = window.ytInitialData || {};
  const cfg = (k) => window.ytcfg.get(k);
  const entities = new Map();
  const isShorts = location.pathname.startsWith('/shorts/');
  const videoId = isShorts ? location.pathname.split('/')[2] : new URLSearchParams(location.search).get('v');
  const loggedIn = !!cfg('LOGGED_IN');
  const viewerOwns = !!cfg('VIEWER_IS_OWNER_FOR_FIXTURE');

  const el = (tag, attrs, ...children) => {
    const e = document.createElement(tag);
    for (const [k, v] of Object.entries(attrs || {})) {
      if (k === 'text') e.textContent = v; else e.setAttribute(k, v);
    }
    for (const c of children) if (c) e.appendChild(c);
    return e;
  };

  function findKey(obj, key, out = []) {
    if (!obj || typeof obj !== 'object') return out;
    if (Array.isArray(obj)) { for (const x of obj) findKey(x, key, out); return out; }
    for (const [k, v] of Object.entries(obj)) { if (k === key) out.push(v); findKey(v, key, out); }
    return out;
  }

  function firstToken() {
    const sections = findKey(data, 'itemSectionRenderer').filter((s) => s.sectionIdentifier === 'comment-item-section');
    const scope = sections.length ? sections[0] : findKey(data, 'engagementPanelSectionListRenderer')[0];
    const c = findKey(scope, 'continuationCommand')[0];
    return c ? c.token : null;
  }

  async function api(path, body) {
    const res = await fetch('/youtubei/v1/' + path + '?prettyPrint=false', {
      method: 'POST', credentials: 'same-origin',
      // The marker lets the fixture tell the page's own requests from the scripts'.
      headers: { 'Content-Type': 'application/json', 'X-Youtube-Client-Name': '1', 'X-Youtube-Client-Version': cfg('INNERTUBE_CLIENT_VERSION'),
        'X-Fixture-App': '1' },
      body: JSON.stringify(Object.assign({ context: cfg('INNERTUBE_CONTEXT') }, body)),
    });
    return { status: res.status, json: await res.json().catch(() => ({})) };
  }

  function absorb(json) {
    for (const m of findKey(json, 'mutations').flat()) if (m && m.entityKey) entities.set(m.entityKey, m.payload);
  }

  // The comment section in use (the side-panel layout leaves a hidden, empty one in #comments).
  const section = () => Array.from(document.querySelectorAll('ytd-comments ytd-item-section-renderer#sections'))
    .find((s) => !s.closest('[hidden]')) || null;
  const contents = () => section() && section().querySelector(':scope > #contents');

  function tokenOf(item) {
    const r = item.continuationItemRenderer;
    const cmd = (r.continuationEndpoint || (r.button && r.button.buttonRenderer.command) || {}).continuationCommand;
    return cmd ? cmd.token : null;
  }

  // The author's link: the handle's address, or /channel/<id> for a channel without a handle.
  function authorLink(a) {
    const base = ((((a.channelCommand || {}).innertubeCommand || {}).browseEndpoint) || {}).canonicalBaseUrl;
    return base || '/' + (a.displayName || '');
  }

  function renderComment(vm, isReply) {
    const ent = (entities.get(vm.commentKey) || {}).commentEntityPayload || {};
    const state = (entities.get(vm.toolbarStateKey) || {}).engagementToolbarStateEntityPayload || {};
    const surface = (entities.get(vm.commentSurfaceKey) || {}).commentSurfaceEntityPayload || {};
    const p = ent.properties || {}, a = ent.author || {}, t = ent.toolbar || {};
    const like = (t.likeCountNotliked || '').trim();
    const node = el('ytd-comment-view-model', { id: 'comment', class: 'style-scope ' + (isReply ? 'ytd-comment-replies-renderer' : 'ytd-comment-thread-renderer') },
      el('div', { id: 'body' },
        el('div', { id: 'author-thumbnail' }, el('img', { id: 'img', width: '40', height: '40', alt: '', src: 'data:,' })),
        el('div', { id: 'main' },
          el('div', { id: 'header' },
            vm.pinnedText ? el('div', { id: 'pinned-comment-badge' }, el('ytd-pinned-comment-badge-renderer', { text: vm.pinnedText })) : null,
            el('div', { id: 'header-author' },
              el('h3', {}, el('a', { id: 'author-text', class: 'yt-simple-endpoint', href: authorLink(a) }, el('span', { text: a.displayName || '' }))),
              a.isCreator ? el('span', { id: 'author-comment-badge' }, el('ytd-author-comment-badge-renderer', { creator: '' }, el('span', { text: a.displayName }))) : null,
              el('span', { id: 'published-time-text' }, el('a', { href: '/watch?v=' + videoId + '&lc=' + p.commentId, text: p.publishedTime || '' })))),
          el('div', { id: 'expander' }, el('yt-attributed-string', { id: 'content-text', slot: 'content' }, el('span', { text: (p.content || {}).content || '' }))),
          el('div', { id: 'action-buttons' }, el('ytd-comment-engagement-bar', {},
            el('div', { id: 'toolbar' },
              el('button', { id: 'like-button', 'aria-label': t.likeButtonA11y || 'Like this comment' }),
              el('span', { id: 'vote-count-middle', text: like }),
              el('button', { id: 'dislike-button', 'aria-label': 'Dislike this comment' }),
              state.heartState === 'TOOLBAR_HEART_STATE_HEARTED' ? el('div', { id: 'creator-heart' }, el('span', { text: '❤' })) : null,
              el('div', { id: 'reply-button-end' }, el('button', { text: 'Reply' })))))),
        el('div', { id: 'action-menu' }, el('ytd-menu-renderer', { class: 'style-scope ytd-comment-view-model' },
          el('yt-icon-button', { id: 'button' }, el('button', { id: 'button', 'aria-label': 'Action menu' }))))));
    const remove = findKey(surface, 'menuServiceItemRenderer').find((i) => i.icon && i.icon.iconType === 'DELETE');
    node.dataset.fixtureToken = remove ? remove.serviceEndpoint.performCommentActionEndpoint.action : '';
    node.dataset.fixtureOwnComment = a.isCreator ? '1' : '';
    node.querySelector('#action-menu button').addEventListener('click', (ev) => { ev.stopPropagation(); openMenu(node); });
    return node;
  }

  function renderThread(t) {
    const vm = t.commentViewModel.commentViewModel;
    const thread = el('ytd-comment-thread-renderer', { class: 'style-scope ytd-item-section-renderer' });
    thread.appendChild(renderComment(vm, false));
    const rr = t.replies && t.replies.commentRepliesRenderer;
    if (rr) {
      const label = rr.viewReplies.buttonRenderer.text.runs[0].text;
      const inner = el('div', { id: 'contents', class: 'style-scope ytd-comment-replies-renderer' });
      const more = el('div', { id: 'more-replies' }, el('ytd-button-renderer', {}, el('button', { 'aria-label': label, text: label })));
      const less = el('div', { id: 'less-replies', hidden: '' }, el('ytd-button-renderer', {}, el('button', { text: 'Hide replies' })));
      const replies = el('div', { id: 'replies' }, el('ytd-comment-replies-renderer', { class: 'style-scope ytd-comment-thread-renderer' },
        more, less, el('div', { id: 'expander' }, el('div', { id: 'expander-contents' }, inner))));
      thread.appendChild(replies);
      const first = (rr.subThreads || rr.contents || []).find((i) => i.continuationItemRenderer);
      const token = first ? tokenOf(first) : null;
      let loaded = false;
      const loadReplies = async (tok, button) => {
        if (button) button.remove();
        const { json } = await api('next', { continuation: tok });
        absorb(json);
        for (const item of findKey(json, 'continuationItems').flat()) {
          if (item.commentViewModel) inner.appendChild(renderComment(item.commentViewModel, true));
          else if (item.commentThreadRenderer) {
            const sub = el('ytd-comment-thread-renderer', { class: 'style-scope ytd-comment-replies-renderer' });
            sub.appendChild(renderComment(item.commentThreadRenderer.commentViewModel.commentViewModel, true));
            inner.appendChild(sub);
          }
          else if (item.continuationItemRenderer) {
            const next = tokenOf(item);
            const b = el('ytd-continuation-item-renderer', { class: 'replies-continuation' },
              el('ytd-button-renderer', {}, el('button', { text: item.continuationItemRenderer.button.buttonRenderer.text.runs[0].text })));
            b.querySelector('button').addEventListener('click', () => loadReplies(next, b));
            inner.appendChild(b);
          }
        }
      };
      more.querySelector('button').addEventListener('click', () => {
        more.hidden = true; less.hidden = false; inner.hidden = false;
        if (!loaded) { loaded = true; loadReplies(token); }
      });
      less.querySelector('button').addEventListener('click', () => { more.hidden = false; less.hidden = true; inner.hidden = true; });
    }
    return thread;
  }

  let loading = false;
  let generation = 0;
  async function loadThreads(token, spinner) {
    if (loading) return;
    loading = true;
    const gen = generation;
    try {
      const { json } = await api('next', { continuation: token });
      if (gen !== generation) return;
      absorb(json);
      if (spinner) spinner.remove();
      for (const item of findKey(json, 'continuationItems').flat()) {
        if (item.commentsHeaderRenderer) {
          const count = item.commentsHeaderRenderer.countText.runs[0].text;
          const h = document.querySelector('ytd-comments-header-renderer #count .count-text');
          if (h) h.textContent = '댓글 ' + count + '개';
          const ci = document.querySelector('#contextual-info');
          if (ci) ci.textContent = count;
          const menu = item.commentsHeaderRenderer.sortMenu;
          sortTokens = menu ? menu.sortFilterSubMenuRenderer.subMenuItems.map((s) => s.serviceEndpoint.continuationCommand.token) : [];
        } else if (item.commentThreadRenderer) {
          contents().appendChild(renderThread(item.commentThreadRenderer));
        } else if (item.continuationItemRenderer) {
          const s = el('ytd-continuation-item-renderer', { class: 'style-scope ytd-item-section-renderer' }, el('tp-yt-paper-spinner', { active: '' }));
          s.dataset.token = tokenOf(item);
          contents().appendChild(s);
          observer.observe(s);
        }
      }
    } finally {
      loading = false;
      setTimeout(checkSpinner, 0);
    }
  }

  function checkSpinner() {
    const s = contents() && contents().querySelector(':scope > ytd-continuation-item-renderer');
    if (!s || loading) return;
    const r = s.getBoundingClientRect();
    const box = isShorts ? document.querySelector('ytd-engagement-panel-section-list-renderer').getBoundingClientRect() : { top: 0, bottom: innerHeight };
    if (r.height >= 0 && r.top < box.bottom + 200 && r.bottom > box.top - 200 && (!isShorts || panelOpen())) loadThreads(s.dataset.token, s);
  }
  const observer = new IntersectionObserver(() => checkSpinner(), { rootMargin: '200px' });
  window.addEventListener('scroll', checkSpinner, { passive: true });
  document.addEventListener('scroll', checkSpinner, { passive: true, capture: true });

  let sortTokens = [];
  function setupSort() {
    const label = document.querySelector('#sort-menu tp-yt-paper-button#label');
    const drop = document.querySelector('#sort-menu tp-yt-iron-dropdown');
    if (!label || !drop) return;
    label.addEventListener('click', () => {
      const open = drop.style.display === 'none';
      drop.style.display = open ? 'block' : 'none';
      drop.setAttribute('aria-hidden', open ? 'false' : 'true');
    });
    drop.querySelectorAll('a').forEach((a, i) => a.addEventListener('click', () => {
      drop.style.display = 'none';
      drop.setAttribute('aria-hidden', 'true');
      drop.querySelectorAll('a').forEach((x, j) => x.classList.toggle('iron-selected', i === j));
      if (!sortTokens[i]) return;
      generation++;
      loading = false;
      contents().textContent = '';
      loadThreads(sortTokens[i]);
    }));
  }

  // Popups: the owner's menu, the confirmation and the sign-in prompt.
  const popupContainer = () => document.querySelector('ytd-popup-container');
  function closePopups() { popupContainer().textContent = ''; }
  document.addEventListener('click', () => { const m = popupContainer().querySelector('tp-yt-iron-dropdown'); if (m) m.remove(); });
  document.addEventListener('keydown', (e) => { if (e.key === 'Escape') closePopups(); });

  function signInPrompt() {
    closePopups();
    const d = el('tp-yt-paper-dialog', { class: 'style-scope ytd-popup-container', role: 'dialog' },
      el('ytd-modal-with-title-and-button-renderer', {},
        el('h2', { id: 'title', text: 'Want to join the conversation?' }),
        el('div', { id: 'content', text: 'Sign in to continue.' }),
        el('ytd-button-renderer', { id: 'button' }, el('a', { href: 'https://accounts.google.com/ServiceLogin?service=youtube', text: 'Sign in' }))));
    popupContainer().appendChild(d);
  }

  function openMenu(node) {
    closePopups();
    const own = node.dataset.fixtureOwnComment === '1';
    let items;
    if (!loggedIn) items = [['FLAG', 'Report']];
    else if (viewerOwns) items = own ? [['KEEP', 'Pin'], ['EDIT', 'Edit'], ['DELETE', 'Delete']] : [['KEEP', 'Pin'], ['DELETE', 'Remove'], ['FLAG', 'Report'], ['REMOVE_CIRCLE', 'Hide user from channel']];
    else items = [['FLAG', 'Report']];
    const list = el('tp-yt-paper-listbox', { id: 'items', role: 'listbox' });
    for (const [icon, text] of items) {
      const item = el('ytd-menu-service-item-renderer', { class: 'style-scope ytd-menu-popup-renderer', role: 'menuitem' },
        el('tp-yt-paper-item', { class: 'style-scope ytd-menu-service-item-renderer' },
          el('yt-icon', { class: 'style-scope ytd-menu-service-item-renderer', 'data-icon': icon }),
          el('yt-formatted-string', { class: 'style-scope ytd-menu-service-item-renderer', text })));
      item.addEventListener('click', (ev) => {
        ev.stopPropagation();
        closePopups();
        if (!loggedIn) return signInPrompt();
        if (icon === 'DELETE') confirmRemove(node, own);
      });
      list.appendChild(item);
    }
    const r = node.querySelector('#action-menu').getBoundingClientRect();
    const drop = el('tp-yt-iron-dropdown', { class: 'popup style-scope ytd-popup-container', 'aria-hidden': 'false',
      style: 'top:' + Math.round(r.bottom) + 'px;left:' + Math.round(Math.max(0, r.left - 150)) + 'px' },
      el('div', { id: 'contentWrapper' }, el('ytd-menu-popup-renderer', { class: 'style-scope ytd-popup-container' }, list)));
    popupContainer().appendChild(drop);
  }

  function confirmRemove(node, own) {
    const dialog = el('tp-yt-paper-dialog', { class: 'style-scope ytd-popup-container', role: 'dialog' },
      el('yt-confirm-dialog-renderer', {},
        el('yt-formatted-string', { id: 'main', text: own ? 'Delete comment?' : 'Remove this comment and its replies?' }),
        el('div', { class: 'buttons' },
          el('yt-button-renderer', { id: 'cancel-button' }, el('button', { 'aria-label': 'Cancel', text: 'Cancel' })),
          el('yt-button-renderer', { id: 'confirm-button' }, el('button', { 'aria-label': own ? 'Delete' : 'Remove', text: own ? 'Delete' : 'Remove' })))));
    dialog.querySelector('#cancel-button button').addEventListener('click', closePopups);
    dialog.querySelector('#confirm-button button').addEventListener('click', async () => {
      closePopups();
      const { status } = await api('comment/perform_comment_action', { actions: [node.dataset.fixtureToken] });
      if (status === 401) return signInPrompt();
      if (status === 429) {
        popupContainer().appendChild(el('tp-yt-paper-dialog', { class: 'style-scope ytd-popup-container', role: 'dialog' },
          el('div', { id: 'verify', text: 'Confirm you are not a robot' }),
          el('iframe', { title: 'reCAPTCHA', src: 'https://www.google.com/recaptcha/api2/anchor?k=fixture', width: '304', height: '78' })));
        return;
      }
      if (status !== 200) {
        popupContainer().appendChild(el('tp-yt-paper-toast', { id: 'toast', text: 'Something went wrong' }));
        return;
      }
      const thread = node.closest('ytd-comment-thread-renderer');
      if (node.classList.contains('ytd-comment-thread-renderer') && thread) thread.remove(); else node.remove();
    });
    popupContainer().appendChild(dialog);
  }

  // Shorts: the comment panel opens from the comments button and loads on opening.
  const panel = () => document.querySelector('ytd-engagement-panel-section-list-renderer[target-id="engagement-panel-comments-section"]');
  const panelOpen = () => panel() && panel().getAttribute('visibility') === 'ENGAGEMENT_PANEL_VISIBILITY_EXPANDED';
  let started = false;
  function start() {
    if (started) return;
    started = true;
    const token = firstToken();
    if (!token || !contents()) return;
    const s = el('ytd-continuation-item-renderer', { class: 'style-scope ytd-item-section-renderer' }, el('tp-yt-paper-spinner', { active: '' }));
    s.dataset.token = token;
    contents().appendChild(s);
    observer.observe(s);
    setTimeout(checkSpinner, 50);
  }
  if (isShorts) {
    const button = document.querySelector('#comments-button button');
    if (button) button.addEventListener('click', () => {
      const p = panel();
      p.style.display = 'block';
      p.setAttribute('visibility', 'ENGAGEMENT_PANEL_VISIBILITY_EXPANDED');
      p.addEventListener('scroll', checkSpinner, { passive: true });
      start();
      setTimeout(checkSpinner, 50);
    });
  } else {
    start();
  }
  setupSort();
})();
