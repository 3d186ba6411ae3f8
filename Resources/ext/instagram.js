// Instagram adapter: not collecting yet. It answers what the page is and refuses to scan with
// the site's own message, so an Instagram page never looks like an empty success.
const VtxSite = (() => {
  const MSG = {
    guide: '내 게시물을 연 상태에서 스팸 검사를 누르면 댓글을 모두 불러와 검사합니다.',
    intro: '내 게시물을 열면(프로필에서 게시물 클릭) 여기서 스팸 검사를 할 수 있습니다.',
    empty: '이 게시물에서 댓글을 찾지 못했습니다. 댓글이 없는 게시물이거나, 댓글 목록이 보이지 않는 화면입니다.',
    readOnly: '로그인하지 않아 화면에 공개된 댓글만 수집해 검사했습니다(답글과 일부 댓글은 빠질 수 있음). 삭제는 로그인한 뒤 내 게시물에서 하세요.',
    unsupported: '지원하는 댓글 화면이 아닙니다',
    pageChanged: '댓글 페이지가 바뀌었습니다. 다시 검사해 주세요.',
  };
  const postRef = (href) => {
    let u;
    try { u = new URL(href || location.href, location.href); } catch (e) { return null; }
    const m = u.pathname.match(/^(?:\/[A-Za-z0-9._]+)?\/(p|reel|reels)\/([A-Za-z0-9_-]+)/);
    return m ? { code: m[2], kind: m[1] } : null;
  };
  async function info() {
    return { site: 'instagram', supported: false, canRemove: false, intro: MSG.intro, guide: MSG.guide, emptyText: MSG.empty,
      readOnlyHint: MSG.readOnly, url: location.href };
  }
  async function collect() { throw new Error(MSG.unsupported); }
  async function remove() { return { gone: [], stopped: { text: MSG.pageChanged, kind: 'error' } }; }
  const flag = () => false;
  async function reveal() { return false; }
  return { name: 'instagram', info, collect, remove, flag, reveal, videoRef: (href) => { const p = postRef(href); return p && { id: p.code }; }, MSG };
})();
