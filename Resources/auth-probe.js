// Sign-in probe: run as the body of a function of `provider` ("youtube" or "instagram") in the
// page's own world. Answers at once, never navigates, and returns booleans only:
// { blocked, signedIn, signedOut }. Anything it cannot tell stays false.
const text = (document.body && document.body.innerText) || '';
const host = location.hostname.toLowerCase();
const path = location.pathname.toLowerCase();
const has = (selector) => { try { return !!document.querySelector(selector); } catch (e) { return false; } };
const cookie = (name) => document.cookie.split(';').some((part) => {
  const [key, ...rest] = part.trim().split('=');
  return key === name && rest.join('=').length > 0;
});
const refusals = [
  'This browser or app may not be secure',
  '브라우저 또는 앱이 안전하지 않을 수 있습니다',
  "Couldn't sign you in",
  '로그인할 수 없음',
  'useragent mismatch',
];
const out = { blocked: false, signedIn: false, signedOut: false };

if (provider === 'youtube') {
  if (host === 'accounts.google.com' || host === 'accounts.youtube.com') {
    out.blocked = path.includes('/rejected') || refusals.some((r) => text.includes(r));
    return out;
  }
  let loggedIn;
  try {
    if (window.ytcfg && typeof window.ytcfg.get === 'function') loggedIn = window.ytcfg.get('LOGGED_IN');
  } catch (e) {}
  const avatar = has('#avatar-btn, ytd-topbar-menu-button-renderer #avatar-btn, button#avatar-btn');
  const signInLink = has('a[href*="accounts.google.com/ServiceLogin"], ytd-button-renderer a[href*="ServiceLogin"]');
  if (loggedIn === true || avatar) out.signedIn = true;
  else if (loggedIn === false || signInLink) out.signedOut = true;
  return out;
}

if (provider === 'instagram') {
  if (host.endsWith('facebook.com')) {
    out.blocked = refusals.some((r) => text.includes(r));
    return out;
  }
  out.blocked = refusals.some((r) => text.includes(r));
  if (out.blocked) return out;
  const loginForm = has('form input[name="username"]') && has('form input[type="password"]');
  if (loginForm) out.signedOut = true;
  else if (cookie('ds_user_id')) out.signedIn = true;
  return out;
}
return out;
