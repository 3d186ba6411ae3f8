<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en">
<context>
    <name>AIPass</name>
    <message>
        <source>Use the AI check?</source>
        <translation>AI 검사를 사용할까요?</translation>
    </message>
    <message>
        <source>The AI finds spam, abuse and sexual content in your comments. Comment text is sent through the %1 server to an external AI (Quorant); the server does not store it.</source>
        <translation>AI가 댓글에서 스팸·욕설·성적 표현을 찾습니다. 댓글 본문이 %1 서버를 거쳐 외부 AI(Quorant)로 전송되며 서버는 저장하지 않습니다.</translation>
    </message>
    <message>
        <source>Use the AI check</source>
        <translation>AI 검사 사용</translation>
    </message>
    <message>
        <source>Keyword rules only</source>
        <translation>키워드 규칙만 사용</translation>
    </message>
    <message>
        <source> %1 unchanged since the last scan reused their earlier AI result.</source>
        <translation> 지난 검사와 본문이 같은 %1개는 AI에 다시 묻지 않고 그때의 결과를 썼습니다.</translation>
    </message>
    <message>
        <source> Earlier AI results flag %1.</source>
        <translation> 지난 AI 검사 결과로 %1개를 찾았습니다.</translation>
    </message>
    <message>
        <source>AI check… %1/%2</source>
        <translation>AI 검사 중… %1/%2</translation>
    </message>
    <message>
        <source>AI check… %1/%2 · %3 suspected</source>
        <translation>AI 검사 중… %1/%2 · 의심 %3개</translation>
    </message>
    <message>
        <source> The AI checked %1.</source>
        <translation> AI가 확인한 것은 %1개입니다.</translation>
    </message>
    <message>
        <source> AI check stopped. The AI checked %1; the rest are rule results.</source>
        <translation> AI 검사를 중지했습니다. AI가 확인한 것은 %1개이고 나머지는 규칙 검사 결과입니다.</translation>
    </message>
    <message>
        <source> The AI checked %1 and found %2</source>
        <translation> AI가 %1개를 검사해 %2개를 찾았습니다</translation>
    </message>
    <message>
        <source> (%1 below the threshold, left unticked)</source>
        <translation>(그중 %1개는 % 기준 아래라 체크하지 않음)</translation>
    </message>
    <message>
        <source> The AI checked %1 and found no problem comments.</source>
        <translation> AI가 %1개를 검사했고 문제 댓글은 없습니다.</translation>
    </message>
</context>
<context>
    <name>CommentListModel</name>
    <message>
        <source>Other comments %1</source>
        <translation>그 밖의 댓글 %1</translation>
    </message>
</context>
<context>
    <name>DeleteBar</name>
    <message>
        <source>%1 selected</source>
        <translation>%1개 선택</translation>
    </message>
    <message>
        <source> of %1</source>
        <translation> / %1개</translation>
    </message>
    <message>
        <source> · %1 at a time</source>
        <translation> · 한 번에 %1개</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>전체 선택</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>전체 해제</translation>
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
    <name>OpenPage</name>
    <message>
        <source>Works on YouTube and Instagram comment pages.</source>
        <translation>YouTube · Instagram의 댓글 화면에서 동작합니다.</translation>
    </message>
    <message>
        <source>Loading comments…</source>
        <translation>댓글을 불러오는 중…</translation>
    </message>
</context>
<context>
    <name>PanelProgressBar</name>
    <message>
        <source>Stop</source>
        <translation>중지</translation>
    </message>
</context>
<context>
    <name>PanelTab</name>
    <message>
        <source>Comments</source>
        <translation>댓글</translation>
    </message>
    <message>
        <source>Flagged</source>
        <translation>스팸 의심</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>삭제 항목</translation>
    </message>
</context>
<context>
    <name>PostHeading</name>
    <message>
        <source>Not scanned</source>
        <translation>검사 전</translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation>댓글 %1</translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation>스팸 의심 %1</translation>
    </message>
    <message>
        <source>%1 deleted</source>
        <translation>삭제 %1</translation>
    </message>
</context>
<context>
    <name>PostReview</name>
    <message>
        <source> %1 by authors you deleted before were flagged.</source>
        <translation> 전에 삭제한 작성자의 댓글 %1개를 의심으로 표시했습니다.</translation>
    </message>
    <message>
        <source>Please review this page&apos;s scan results again.</source>
        <translation>현재 페이지의 검사 결과를 다시 확인해 주세요.</translation>
    </message>
</context>
<context>
    <name>ProbabilityRange</name>
    <message>
        <source>Spam probability</source>
        <translation>스팸 확률</translation>
    </message>
    <message>
        <source>Spam probability range to delete</source>
        <translation>삭제할 스팸 확률의 범위</translation>
    </message>
</context>
<context>
    <name>RunText</name>
    <message>
        <source>Check for spam</source>
        <translation>스팸 검사</translation>
    </message>
    <message>
        <source>Check %1 for spam</source>
        <translation>%1개 스팸 검사</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1개 삭제</translation>
    </message>
</context>
<context>
    <name>ScanJob</name>
    <message>
        <source> The AI check is on but was skipped because you are not signed in. Sign in with your %1 account in Settings.</source>
        <translation> AI 검사는 켜져 있지만 로그인되어 있지 않아 건너뛰었습니다. 검사 설정에서 %1 계정으로 로그인하세요.</translation>
    </message>
    <message>
        <source>The scan was stopped before the page answered. Please scan again.</source>
        <translation>페이지가 멈추지 않아 검사를 중지했습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>Scan error: %1</source>
        <translation>검사 중 오류: %1</translation>
    </message>
    <message>
        <source>Switching the site&apos;s comment order to newest…</source>
        <translation>사이트의 댓글 정렬을 최신순으로 바꾸는 중…</translation>
    </message>
    <message>
        <source>Loading comments…</source>
        <translation>댓글을 불러오는 중…</translation>
    </message>
</context>
<context>
    <name>ScanReport</name>
    <message>
        <source> The window was covered, so some comments may not have loaded. Scan again with the window visible to check them all.</source>
        <translation> 창이 가려져 있어 댓글을 다 불러오지 못했을 수 있습니다. 창이 보이는 상태에서 다시 스캔하면 전부 확인합니다.</translation>
    </message>
    <message>
        <source> Since the last scan: %1 new, %2 edited.</source>
        <translation> 지난 검사 이후 새 댓글 %1개, 수정된 댓글 %2개.</translation>
    </message>
    <message>
        <source> %1 cleared last time and unchanged were skipped.</source>
        <translation> 지난 검사에서 정상이던 %1개는 그대로라 건너뛰었습니다.</translation>
    </message>
    <message>
        <source> Loaded only up to the collection limit (%1).</source>
        <translation> 수집 개수 설정(최대 %1개)까지만 불러왔습니다.</translation>
    </message>
    <message>
        <source> This page can&apos;t be switched to newest, so sorting covers only what was loaded.</source>
        <translation> 이 화면은 최신순으로 바꿀 수 없어 불러온 범위 안에서만 정렬했습니다.</translation>
    </message>
    <message>
        <source> Like counts couldn&apos;t be read on this page, so &quot;skip comments with likes&quot; was not applied.</source>
        <translation> 이 화면에서는 좋아요 수를 읽지 못해 &quot;좋아요 없는 댓글만&quot; 기준은 적용되지 않았습니다.</translation>
    </message>
    <message>
        <source>No comments found.</source>
        <translation>댓글을 찾지 못했습니다.</translation>
    </message>
    <message>
        <source>Untick anything that isn&apos;t spam.</source>
        <translation>아닌 것은 체크를 해제하세요.</translation>
    </message>
    <message>
        <source>Checked %1 comments; no suspected spam.</source>
        <translation>댓글 %1개를 검사했고 스팸 의심 댓글이 없습니다.</translation>
    </message>
    <message>
        <source>%1 of %2 comments flagged. </source>
        <translation>댓글 %2개 중 %1개 검출. </translation>
    </message>
    <message>
        <source>No new comments.</source>
        <translation>새 댓글이 없습니다.</translation>
    </message>
    <message>
        <source>Collected %1 new comments.</source>
        <translation>새 댓글 %1개를 수집했습니다.</translation>
    </message>
    <message>
        <source> %1 flagged to review. </source>
        <translation> 검토할 의심 댓글 %1개. </translation>
    </message>
    <message>
        <source>The history file could not be written.</source>
        <translation>기록 파일에 쓰지 못했습니다.</translation>
    </message>
    <message>
        <source> This scan was not recorded: history is off for this run (Settings › History says why and what to do).</source>
        <translation> 기록이 꺼져 있어 이 검사는 기록되지 않았습니다(이유와 할 일은 설정 › 기록에 있습니다).</translation>
    </message>
    <message>
        <source> This scan was not fully recorded in the history: </source>
        <translation> 이 검사는 기록에 다 저장되지 않았습니다: </translation>
    </message>
    <message>
        <source>Collecting comments… %1</source>
        <translation>댓글 수집 중… %1개</translation>
    </message>
    <message>
        <source>Checking… %1/%2</source>
        <translation>검사 중… %1/%2</translation>
    </message>
    <message>
        <source>Deleting… %1/%2</source>
        <translation>삭제 중… %1/%2</translation>
    </message>
    <message>
        <source>Deleting…</source>
        <translation>삭제 중…</translation>
    </message>
</context>
<context>
    <name>ScanSession</name>
    <message>
        <source> · automatic</source>
        <translation> · 자동 검사</translation>
    </message>
    <message>
        <source>Nothing deleted</source>
        <translation>삭제하지 못했습니다</translation>
    </message>
    <message>
        <source>Deleted %1 of %2</source>
        <translation>%2개 중 %1개 삭제</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>%1개 삭제</translation>
    </message>
    <message>
        <source>1 post</source>
        <translation>게시물 1</translation>
    </message>
    <message>
        <source>%1 posts</source>
        <translation>게시물 %1</translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation>댓글 %1</translation>
    </message>
    <message>
        <source>%1 new</source>
        <translation>새 댓글 %1</translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation>스팸 의심 %1</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>실패 %1</translation>
    </message>
</context>
<context>
    <name>ScanStage</name>
    <message>
        <source>Opening the post</source>
        <translation>게시물 여는 중</translation>
    </message>
    <message>
        <source>Collecting comments</source>
        <translation>댓글 수집 중</translation>
    </message>
    <message>
        <source>Checking rules</source>
        <translation>규칙 검사 중</translation>
    </message>
    <message>
        <source>AI check</source>
        <translation>AI 검사 중</translation>
    </message>
    <message>
        <source>Finishing</source>
        <translation>마무리하는 중</translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation>댓글 %1</translation>
    </message>
    <message>
        <source> · %1 flagged</source>
        <translation> · 의심 %1</translation>
    </message>
    <message>
        <source>Scan failed</source>
        <translation>검사 실패</translation>
    </message>
    <message>
        <source>Queued</source>
        <translation>대기 중</translation>
    </message>
    <message>
        <source>Flagged</source>
        <translation>스팸 의심</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(이름 없음)</translation>
    </message>
</context>
<context>
    <name>ScanStatusText</name>
    <message>
        <source>Opening the post</source>
        <translation>게시물 여는 중</translation>
    </message>
    <message>
        <source>Collecting comments</source>
        <translation>댓글 수집 중</translation>
    </message>
    <message>
        <source>AI check</source>
        <translation>AI 검사 중</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>검사 중</translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation>댓글 %1</translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation>의심 %1</translation>
    </message>
    <message>
        <source>post %1</source>
        <translation>게시물 %1</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>삭제 중</translation>
    </message>
    <message>
        <source>Finding the comments to delete</source>
        <translation>삭제할 댓글을 찾는 중</translation>
    </message>
</context>
<context>
    <name>SiteMessage</name>
    <message>
        <source>Press Scan for spam to load and check this video&apos;s comments. No sign-in needed.</source>
        <translation>스팸 검사를 누르면 이 영상의 댓글을 불러와 검사합니다. 로그인하지 않아도 됩니다.</translation>
    </message>
    <message>
        <source>On youtube.com, comments are collected and checked on a video page.</source>
        <translation>youtube.com에서는 영상 페이지에서 댓글을 수집하고 검사합니다.</translation>
    </message>
    <message>
        <source>No comments found on this video. Comments are turned off or there are none yet.</source>
        <translation>이 영상에서 댓글을 찾지 못했습니다. 댓글이 꺼져 있거나 아직 없는 영상입니다.</translation>
    </message>
    <message>
        <source>You are not signed in, so comments were only collected and checked. To delete, sign in to YouTube and scan again on your own video.</source>
        <translation>로그인하지 않아 수집과 검사만 했습니다. 삭제하려면 유튜브에 로그인한 뒤 내 영상에서 다시 검사하세요.</translation>
    </message>
    <message>
        <source>Stopped: the comment&apos;s action menu was not found. (YouTube&apos;s layout may have changed.)</source>
        <translation>댓글의 작업 메뉴를 찾지 못해 중단했습니다. (유튜브 화면이 바뀌었을 수 있음)</translation>
    </message>
    <message>
        <source>Stopped: the menu has no Delete. You can only delete comments on your own channel&apos;s videos.</source>
        <translation>메뉴에 삭제가 없어 중단했습니다. 내 채널의 영상에 달린 댓글만 삭제할 수 있습니다.</translation>
    </message>
    <message>
        <source>The site didn&apos;t send the comments. Please scan again in a moment.</source>
        <translation>사이트가 댓글을 보내지 않았습니다. 잠시 뒤 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>With your own post open, press Scan for spam to load and check all its comments.</source>
        <translation>내 게시물을 연 상태에서 스팸 검사를 누르면 댓글을 모두 불러와 검사합니다.</translation>
    </message>
    <message>
        <source>Open one of your posts (click it on your profile) to scan it for spam here.</source>
        <translation>내 게시물을 열면(프로필에서 게시물 클릭) 여기서 스팸 검사를 할 수 있습니다.</translation>
    </message>
    <message>
        <source>No comments found on this post. It has none, or this view does not show the comment list.</source>
        <translation>이 게시물에서 댓글을 찾지 못했습니다. 댓글이 없는 게시물이거나, 댓글 목록이 보이지 않는 화면입니다.</translation>
    </message>
    <message>
        <source>You are not signed in, so only the publicly shown comments were checked (replies and some comments may be missing). To delete, sign in and open your own post.</source>
        <translation>로그인하지 않아 화면에 공개된 댓글만 수집해 검사했습니다(답글과 일부 댓글은 빠질 수 있음). 삭제는 로그인한 뒤 내 게시물에서 하세요.</translation>
    </message>
    <message>
        <source>Stopped: the comment options button was not found. (Instagram&apos;s layout may have changed.)</source>
        <translation>댓글 옵션 버튼을 찾지 못해 중단했습니다. (인스타그램 화면이 바뀌었을 수 있음)</translation>
    </message>
    <message>
        <source>Stopped: the menu has no Delete. You can only delete comments on your own posts.</source>
        <translation>메뉴에 삭제가 없어 중단했습니다. 내 게시물의 댓글만 삭제할 수 있습니다.</translation>
    </message>
    <message>
        <source>This is not a supported comment page</source>
        <translation>지원하는 댓글 화면이 아닙니다</translation>
    </message>
    <message>
        <source>The scanned comments were not found. Please scan again.</source>
        <translation>검사한 댓글을 찾지 못했습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>The comment page changed. Please scan again.</source>
        <translation>댓글 페이지가 바뀌었습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>To delete, sign in to the site and scan again on your own comment page.</source>
        <translation>삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>Stopped: Delete was pressed but the comment did not go away.</source>
        <translation>삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다.</translation>
    </message>
    <message>
        <source>Deletion cancelled.</source>
        <translation>삭제를 취소했습니다.</translation>
    </message>
    <message>
        <source>The site didn&apos;t send some of the comments, so only part of them was collected. Please scan again.</source>
        <translation>사이트가 댓글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>The site didn&apos;t send some of the replies, so only part of them was collected. Please scan again.</source>
        <translation>사이트가 답글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>The scan was stopped, so only part of the comments was collected.</source>
        <translation>검사를 멈춰 일부만 수집했습니다.</translation>
    </message>
    <message>
        <source>Has likes, not checked</source>
        <translation>좋아요가 있어 검사에서 제외</translation>
    </message>
    <message>
        <source>Couldn&apos;t open your channel page.</source>
        <translation>내 채널 화면을 열지 못했습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t load your posts: the site asks you to sign in or to confirm it&apos;s you.</source>
        <translation>로그인이 필요하거나 사이트가 확인을 요청해 내 게시물을 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your list of posts. (The site&apos;s layout may have changed.)</source>
        <translation>내 게시물 목록을 읽지 못했습니다. (사이트 화면이 바뀌었을 수 있음)</translation>
    </message>
    <message>
        <source>Loading comments…</source>
        <translation>댓글을 불러오는 중…</translation>
    </message>
    <message>
        <source>Collecting comments… %1</source>
        <translation>댓글 수집 중… %1</translation>
    </message>
    <message>
        <source>Collecting comments… %1/%2</source>
        <translation>댓글 수집 중… %1/%2</translation>
    </message>
    <message>
        <source>Checking comments…</source>
        <translation>댓글 검사 중…</translation>
    </message>
    <message>
        <source>Scan complete</source>
        <translation>검사 완료</translation>
    </message>
    <message>
        <source>Deleting… %1/%2</source>
        <translation>삭제 중… %1/%2</translation>
    </message>
    <message>
        <source>Deletion complete</source>
        <translation>삭제 완료</translation>
    </message>
    <message>
        <source>Deletion stopped</source>
        <translation>삭제 중단</translation>
    </message>
    <message>
        <source>The page sent a message that couldn&apos;t be read.</source>
        <translation>페이지가 읽을 수 없는 메시지를 보냈습니다.</translation>
    </message>
</context>
<context>
    <name>SpamPanel</name>
    <message>
        <source>Checks</source>
        <translation>검사 목록</translation>
    </message>
</context>
<context>
    <name>SpamPanelModel</name>
    <message>
        <source>No post scanned yet.
Open one of your posts and scan it: its comments show here.</source>
        <translation>아직 검사한 게시물이 없습니다.
게시물을 열고 검사하면 댓글이 여기에 나옵니다.</translation>
    </message>
    <message>
        <source>No suspected comments.</source>
        <translation>의심 댓글이 없습니다.</translation>
    </message>
    <message>
        <source>No deleted comments.</source>
        <translation>삭제한 댓글이 없습니다.</translation>
    </message>
    <message>
        <source>The scanned posts have no comments.</source>
        <translation>검사한 게시물에 댓글이 없습니다.</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>삭제 항목</translation>
    </message>
</context>
<context>
    <name>StoredCommentRow</name>
    <message>
        <source>(no name)</source>
        <translation>(이름 없음)</translation>
    </message>
    <message>
        <source>(no text stored)</source>
        <translation>(저장된 본문 없음)</translation>
    </message>
    <message>
        <source>Risk probability</source>
        <translation>문제 확률</translation>
    </message>
    <message>
        <source>AI verdict</source>
        <translation>AI 판정</translation>
    </message>
    <message>
        <source>First collected</source>
        <translation>처음 수집</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>마지막 확인</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>삭제 완료</translation>
    </message>
    <message>
        <source>Likes</source>
        <translation>좋아요</translation>
    </message>
    <message>
        <source>Click the bubble for verdict details and scan times</source>
        <translation>풍선을 누르면 판정 근거와 검사 시점이 보입니다</translation>
    </message>
</context>
<context>
    <name>Verdict</name>
    <message>
        <source>Off-platform contact</source>
        <translation>외부 연락 유도</translation>
    </message>
    <message>
        <source>Investment promotion</source>
        <translation>투자·수익 홍보</translation>
    </message>
    <message>
        <source>Gambling promotion</source>
        <translation>도박 홍보</translation>
    </message>
    <message>
        <source>Loan promotion</source>
        <translation>대출·현금화 광고</translation>
    </message>
    <message>
        <source>Side-job promotion</source>
        <translation>부업·고수익 광고</translation>
    </message>
    <message>
        <source>Adult content promotion</source>
        <translation>성인 콘텐츠 홍보</translation>
    </message>
    <message>
        <source>Impersonation or prize lure</source>
        <translation>사칭·경품 유도</translation>
    </message>
    <message>
        <source>Investment testimonial</source>
        <translation>투자 후기 홍보</translation>
    </message>
    <message>
        <source>Promotional comment</source>
        <translation>홍보성 댓글</translation>
    </message>
    <message>
        <source>External link</source>
        <translation>외부 링크 포함</translation>
    </message>
    <message>
        <source>Promotional author name</source>
        <translation>홍보성 작성자 이름</translation>
    </message>
    <message>
        <source>Flagged by YouTube</source>
        <translation>YouTube 스팸 감지</translation>
    </message>
    <message>
        <source>Keyword match</source>
        <translation>등록한 키워드 일치</translation>
    </message>
    <message>
        <source>Built-in word</source>
        <translation>기본 사전의 낱말</translation>
    </message>
    <message>
        <source>Author deleted before</source>
        <translation>전에 삭제한 작성자</translation>
    </message>
    <message>
        <source>Cleared last time, unchanged</source>
        <translation>지난 검사에서 정상 · 변경 없음</translation>
    </message>
    <message>
        <source>Kept at last review, unchanged</source>
        <translation>지난 검토에서 남김 · 변경 없음</translation>
    </message>
    <message>
        <source>Picked by you</source>
        <translation>직접 선택</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>삭제됨</translation>
    </message>
    <message>
        <source>Not spam</source>
        <translation>스팸 아님</translation>
    </message>
    <message>
        <source>Flagged</source>
        <translation>의심</translation>
    </message>
    <message>
        <source>Below the %1% threshold, so it is not ticked.</source>
        <translation>체크 기준 %1% 아래라 체크하지 않았습니다.</translation>
    </message>
    <message>
        <source>Word · </source>
        <translation>단어 · </translation>
    </message>
    <message>
        <source>Word</source>
        <translation>단어</translation>
    </message>
    <message>
        <source>A built-in word. You can turn the built-in words off in Settings &gt; Word list.</source>
        <translation>기본 사전의 낱말입니다. 검사 설정 &gt; 단어 목록에서 끌 수 있습니다.</translation>
    </message>
    <message>
        <source>Rules · </source>
        <translation>규칙 · </translation>
    </message>
    <message>
        <source>Spam</source>
        <translation>스팸</translation>
    </message>
    <message>
        <source>Not checked by AI</source>
        <translation>AI 검사 전</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>검사 제외</translation>
    </message>
    <message>
        <source>AI: OK</source>
        <translation>AI 정상</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>정상</translation>
    </message>
    <message>
        <source> (%1×)</source>
        <translation> (%1회)</translation>
    </message>
</context>
</TS>
