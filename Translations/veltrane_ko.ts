<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en">
<context>
    <name>AutoScanSchedule</name>
    <message>
        <source>Automatic scan failed</source>
        <translation>자동 검사 실패</translation>
    </message>
    <message>
        <source>The automatic scan couldn&apos;t scan any posts. Check the app.</source>
        <translation>자동 검사에서 게시물을 하나도 검사하지 못했습니다. 앱에서 확인하세요.</translation>
    </message>
    <message>
        <source>Scanned %1 posts automatically.</source>
        <translation>게시물 %1개를 자동으로 검사했습니다.</translation>
    </message>
    <message>
        <source>%1 suspected comments</source>
        <translation>의심 댓글 %1개</translation>
    </message>
    <message>
        <source> Review and delete in the app.</source>
        <translation> 앱에서 확인하고 삭제하세요.</translation>
    </message>
    <message>
        <source>No suspected comments</source>
        <translation>의심 댓글 없음</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>There is no session bus to post notifications on.</source>
        <translation>알림을 보낼 세션 버스가 없습니다.</translation>
    </message>
    <message>
        <source>No notification service is running; the notice was not shown.</source>
        <translation>알림 서비스가 없어 알림을 보내지 못했습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t post the notice: %1</source>
        <translation>알림을 보내지 못했습니다: %1</translation>
    </message>
</context>
<context>
    <name>LoginStatus</name>
    <message>
        <source>Not checked yet</source>
        <translation>로그인 확인 전</translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation>로그인됨</translation>
    </message>
    <message>
        <source>Sign-in needed</source>
        <translation>로그인 필요</translation>
    </message>
    <message>
        <source>Signing in</source>
        <translation>로그인 진행 중</translation>
    </message>
    <message>
        <source>Extra verification needed</source>
        <translation>추가 인증 필요</translation>
    </message>
    <message>
        <source>In-app sign-in restricted</source>
        <translation>앱 내 로그인 제한</translation>
    </message>
    <message>
        <source>Connection needs checking</source>
        <translation>연결 확인 필요</translation>
    </message>
</context>
<context>
    <name>PostCatalog</name>
    <message>
        <source>Couldn&apos;t find your channel. Check your %1 sign-in.</source>
        <translation>내 채널을 찾지 못했습니다. %1 로그인 상태를 확인해 주세요.</translation>
    </message>
    <message>
        <source>No more posts to load.</source>
        <translation>더 불러올 게시물이 없습니다.</translation>
    </message>
    <message>
        <source>Sign in to %1 to load your posts.</source>
        <translation>게시물을 불러오려면 %1에 로그인해 주세요.</translation>
    </message>
    <message>
        <source>Loading %1 posts…</source>
        <translation>%1 게시물을 불러오는 중…</translation>
    </message>
    <message>
        <source>Loading stopped.</source>
        <translation>목록 불러오기를 중지했습니다.</translation>
    </message>
</context>
<context>
    <name>PostQueue</name>
    <message>
        <source>Opening the post…</source>
        <translation>게시물을 여는 중…</translation>
    </message>
    <message>
        <source>Couldn&apos;t open the comments.</source>
        <translation>댓글 화면을 열지 못했습니다.</translation>
    </message>
    <message>
        <source>%1/%2 posts checked · %3 flagged</source>
        <translation>게시물 %1/%2개 검사 · 의심 댓글 %3개</translation>
    </message>
    <message>
        <source> · Stopped</source>
        <translation> · 중지됨</translation>
    </message>
    <message>
        <source>%1 posts could not be checked. See their statuses.</source>
        <translation>%1개 게시물을 검사하지 못했습니다. 게시물 상태를 확인해 주세요.</translation>
    </message>
    <message>
        <source>Sign in to YouTube or Instagram on the left first.</source>
        <translation>먼저 왼쪽에서 YouTube 나 Instagram 에 로그인해 주세요.</translation>
    </message>
    <message>
        <source>Finding your latest %1 posts…</source>
        <translation>%1의 최신 게시물을 찾는 중…</translation>
    </message>
    <message>
        <source>: no posts found.</source>
        <translation>: 게시물을 찾지 못했습니다.</translation>
    </message>
    <message>
        <source> Stopped.</source>
        <translation> 중지했습니다.</translation>
    </message>
    <message>
        <source>No posts were scanned.</source>
        <translation>검사한 게시물이 없습니다.</translation>
    </message>
    <message>
        <source> Open a post to review and delete.</source>
        <translation> 게시물을 눌러 확인하고 삭제하세요.</translation>
    </message>
    <message>
        <source>Scanned %1 posts and flagged %2.</source>
        <translation>게시물 %1개를 검사해 %2개를 검출했습니다.</translation>
    </message>
    <message>
        <source>Scanned %1 posts; no suspected spam.</source>
        <translation>게시물 %1개를 검사했고 스팸 의심 댓글이 없습니다.</translation>
    </message>
</context>
<context>
    <name>RemovalJob</name>
    <message>
        <source>Deletion cancelled.</source>
        <translation>삭제를 취소했습니다.</translation>
    </message>
    <message>
        <source> Delete the other %1 next time.</source>
        <translation> 나머지 %1개는 다음에 이어서 지우세요.</translation>
    </message>
    <message>
        <source>Deleted %1.</source>
        <translation>%1개를 삭제했습니다.</translation>
    </message>
    <message>
        <source> (%1 deleted)</source>
        <translation> (%1개는 삭제됨)</translation>
    </message>
    <message>
        <source>You can delete comments on your own posts after signing in.</source>
        <translation>댓글 삭제는 로그인한 내 게시물에서 할 수 있습니다.</translation>
    </message>
    <message>
        <source>The site asked you to sign in or pass a check. Finish it on the page, then try again.</source>
        <translation>사이트가 로그인이나 확인을 요구해 중단했습니다. 화면에서 직접 확인한 뒤 다시 시도하세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open the post.</source>
        <translation>게시물을 열지 못했습니다.</translation>
    </message>
    <message>
        <source>Dry run: %1 comment on %2 post would be deleted.</source>
        <translation>시험 실행: 게시물 %2개에서 댓글 %1개를 삭제하게 됩니다.</translation>
    </message>
    <message>
        <source>Dry run: %1 comment on %2 posts would be deleted.</source>
        <translation>시험 실행: 게시물 %2개에서 댓글 %1개를 삭제하게 됩니다.</translation>
    </message>
    <message>
        <source>Dry run: %1 comments on %2 post would be deleted.</source>
        <translation>시험 실행: 게시물 %2개에서 댓글 %1개를 삭제하게 됩니다.</translation>
    </message>
    <message>
        <source>Dry run: %1 comments on %2 posts would be deleted.</source>
        <translation>시험 실행: 게시물 %2개에서 댓글 %1개를 삭제하게 됩니다.</translation>
    </message>
    <message>
        <source> The other %1 would be left for next time.</source>
        <translation> 나머지 %1개는 다음 차례로 남습니다.</translation>
    </message>
    <message>
        <source> Nothing was deleted.</source>
        <translation> 아무것도 삭제하지 않았습니다.</translation>
    </message>
    <message>
        <source>Delete %1 comments</source>
        <translation>댓글 %1개를 삭제합니다</translation>
    </message>
    <message>
        <source>Only the selected comments are deleted. Deleted comments can&apos;t be restored.</source>
        <translation>선택한 댓글만 삭제합니다. 삭제한 댓글은 복구할 수 없습니다.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1개 삭제</translation>
    </message>
    <message>
        <source>Deleting…</source>
        <translation>삭제 중…</translation>
    </message>
    <message>
        <source>Delete error: %1</source>
        <translation>삭제 중 오류: %1</translation>
    </message>
    <message>
        <source>%1 deleted; %2 still remain.</source>
        <translation>%1개 삭제 확인, %2개는 아직 남아 있습니다.</translation>
    </message>
    <message>
        <source>Opening the post…</source>
        <translation>게시물을 여는 중…</translation>
    </message>
    <message>
        <source>Not found on the post.</source>
        <translation>게시물에서 찾지 못했습니다.</translation>
    </message>
    <message>
        <source> Stopped.</source>
        <translation> 중지했습니다.</translation>
    </message>
    <message>
        <source> They were not found on the post or could not be deleted.</source>
        <translation> 게시물에서 찾지 못했거나 지워지지 않았습니다.</translation>
    </message>
    <message>
        <source>%1 deleted; %2 remain.</source>
        <translation>%1개 삭제, %2개는 남았습니다.</translation>
    </message>
</context>
</TS>
