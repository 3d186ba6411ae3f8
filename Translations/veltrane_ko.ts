<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en">
<context>
    <name>AIRules</name>
    <message>
        <source>Spam</source>
        <translation>스팸</translation>
    </message>
    <message>
        <source>Abuse</source>
        <translation>욕설·비방</translation>
    </message>
    <message>
        <source>Sexual content</source>
        <translation>성적 표현</translation>
    </message>
    <message>
        <source>You were signed out. Sign in again in Settings.</source>
        <translation>로그인이 풀렸습니다. 검사 설정에서 다시 로그인하세요.</translation>
    </message>
    <message>
        <source>The AI check isn&apos;t turned on at the server yet.</source>
        <translation>서버에서 AI 검사가 아직 켜져 있지 않습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the Glimora server.</source>
        <translation>Glimora 서버에 연결하지 못했습니다.</translation>
    </message>
    <message>
        <source>The AI check is busy. Try again in a moment.</source>
        <translation>AI 검사 요청이 몰려 있습니다. 잠시 뒤에 다시 시도하세요.</translation>
    </message>
    <message>
        <source>The AI check request failed (%1).</source>
        <translation>AI 검사 요청이 실패했습니다(%1).</translation>
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
    <name>DashboardModel</name>
    <message>
        <source>Posts · %1 monitored</source>
        <translation>게시물 · 모니터링 %1</translation>
    </message>
    <message>
        <source>Posts</source>
        <translation>게시물</translation>
    </message>
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
        <translation>삭제</translation>
    </message>
    <message>
        <source>%1 flagged · %2 comments</source>
        <translation>의심 %1 · 댓글 %2</translation>
    </message>
    <message>
        <source>(no author)</source>
        <translation>(작성자 없음)</translation>
    </message>
    <message>
        <source>(no text stored)</source>
        <translation>(저장된 본문 없음)</translation>
    </message>
    <message>
        <source>Posts with the most deletions</source>
        <translation>삭제가 많은 게시물</translation>
    </message>
    <message>
        <source>Authors deleted most often</source>
        <translation>삭제가 많은 작성자</translation>
    </message>
    <message>
        <source>Recently deleted</source>
        <translation>최근 삭제</translation>
    </message>
    <message>
        <source>%1d</source>
        <comment>a number of days</comment>
        <translation>%1일</translation>
    </message>
    <message>
        <source>Detected</source>
        <translation>검출</translation>
    </message>
</context>
<context>
    <name>DateText</name>
    <message>
        <source>h:mm AP</source>
        <comment>time format</comment>
        <translation>AP h:mm</translation>
    </message>
    <message>
        <source>MMM d</source>
        <comment>date format</comment>
        <translation>M&apos;월&apos; d&apos;일&apos;</translation>
    </message>
    <message>
        <source>M/d</source>
        <comment>date format</comment>
        <translation>M. d.</translation>
    </message>
    <message>
        <source>ddd, MMM d</source>
        <comment>date format</comment>
        <translation>M&apos;월&apos; d&apos;일&apos; (ddd)</translation>
    </message>
    <message>
        <source>MMM d, yyyy</source>
        <comment>date format</comment>
        <translation>yyyy&apos;년&apos; M&apos;월&apos; d&apos;일&apos;</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a date, then a clock</comment>
        <translation>%1 %2</translation>
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
    <name>ScanExport</name>
    <message>
        <source>Couldn&apos;t save. %1</source>
        <translation>저장하지 못했습니다. %1</translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation>%1에 저장했습니다.</translation>
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
    <name>ScanStore</name>
    <message>
        <source>The history file could not be opened, so history is off and nothing is saved this run (%1): %2. Check that its folder exists and can be written to, then start the application again.</source>
        <translation>기록 파일을 열 수 없어 이번 실행에서는 기록이 꺼져 있습니다 (%1): %2. 폴더가 있고 쓸 수 있는지 확인한 뒤 앱을 다시 실행해 주세요.</translation>
    </message>
    <message>
        <source>The history file could not be prepared, so history is off and nothing is saved this run (%1): %2 Check the free disk space and the file&apos;s permissions, then start the application again.</source>
        <translation>기록 파일을 준비하지 못해 이번 실행에서는 기록이 꺼져 있습니다 (%1): %2 디스크 공간과 파일 권한을 확인한 뒤 앱을 다시 실행해 주세요.</translation>
    </message>
    <message>
        <source>The history could not be saved because the disk is full: %1</source>
        <translation>디스크가 가득 차서 기록을 저장하지 못했습니다: %1</translation>
    </message>
    <message>
        <source>The history could not be saved while another copy of Veltrane writes to it: %1</source>
        <translation>다른 Veltrane 창이 기록 파일을 쓰고 있어 저장하지 못했습니다: %1</translation>
    </message>
    <message>
        <source>History file error: %1 (%2)</source>
        <translation>기록 파일 오류: %1 (%2)</translation>
    </message>
    <message>
        <source>The history file is damaged, so history is off for this run: scans are not recorded. The file was left as it is: %1. To start a new history, quit the application and move the file elsewhere (keep it, so it can be recovered); a new one is made at the next start.</source>
        <translation>기록 파일이 손상되어 이번 실행에서는 기록이 꺼져 있습니다. 검사 결과는 기록되지 않습니다. 파일은 그대로 두었습니다: %1. 새 기록을 시작하려면 앱을 종료하고 이 파일을 다른 곳으로 옮기세요(복구해 볼 수 있도록 지우지 말고 보관하세요). 다음 실행 때 새 파일을 만듭니다.</translation>
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
    <name>SpamEngine</name>
    <message>
        <source>This isn&apos;t a supported comment page</source>
        <translation>지원하는 댓글 화면이 아닙니다</translation>
    </message>
    <message>
        <source>The page changed. Please scan again.</source>
        <translation>페이지가 바뀌었습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the page&apos;s response</source>
        <translation>브리지 응답을 읽지 못했습니다</translation>
    </message>
    <message>
        <source>Couldn&apos;t load the scan files. Please restart the app.</source>
        <translation>검사 파일을 불러오지 못했습니다. 앱을 다시 실행해 주세요.</translation>
    </message>
    <message>
        <source>The page didn&apos;t answer the stop request, so the task was ended. Please try again.</source>
        <translation>페이지가 멈춤 요청에 응답하지 않아 검사를 끝냈습니다. 다시 검사해 주세요.</translation>
    </message>
    <message>
        <source>The page didn&apos;t answer in time. Please try again.</source>
        <translation>페이지가 제때 응답하지 않았습니다. 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open your channel page.</source>
        <translation>내 채널 화면을 열지 못했습니다.</translation>
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
    <name>SpamRules</name>
    <message>
        <source>AI: OK · %1% likely a problem</source>
        <translation>AI 정상 · 문제 확률 %1%</translation>
    </message>
    <message>
        <source>AI: %1 %2%</source>
        <comment>a category and its probability</comment>
        <translation>AI %1 %2%</translation>
    </message>
</context>
<context>
    <name>StatisticsSheet</name>
    <message>
        <source>Statistics</source>
        <translation>통계</translation>
    </message>
    <message>
        <source>Nothing scanned yet. Scan your posts to see their statistics here.</source>
        <translation>아직 검사 기록이 없습니다. 게시물을 검사하면 여기에 통계가 나옵니다.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Open and scan</source>
        <translation>열어서 검사</translation>
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
    <name>VeltraneAccount</name>
    <message>
        <source>it is damaged or cut short</source>
        <translation>손상되었거나 잘려 있습니다</translation>
    </message>
    <message>
        <source>it belongs to another server (%1)</source>
        <translation>다른 서버(%1)의 파일입니다</translation>
    </message>
    <message>
        <source>it holds no sign-in</source>
        <translation>로그인 정보가 없습니다</translation>
    </message>
    <message>
        <source>it could not be opened: %1</source>
        <translation>열 수 없습니다: %1</translation>
    </message>
    <message>
        <source>The account file could not be read (%1). It was kept as %2, and the new sign-in was saved in its place. If it held your earlier account, sign in with that account&apos;s email to use it again.</source>
        <translation>계정 파일을 읽지 못했습니다(%1). 원래 파일은 %2(으)로 보관했고 새 로그인을 그 자리에 저장했습니다. 예전 계정을 다시 쓰려면 그 계정의 이메일로 로그인하세요.</translation>
    </message>
    <message>
        <source>The account file could not be read (%1) and could not be moved aside, so it was left as it is: %2. The new sign-in lasts only until the application quits.</source>
        <translation>계정 파일을 읽지 못했고(%1) 옮겨 둘 수도 없어 그대로 두었습니다: %2. 새 로그인은 앱을 종료할 때까지만 유지됩니다.</translation>
    </message>
    <message>
        <source>The account file could not be read (%1), so you are not signed in. It was left as it is: %2. A new sign-in keeps it aside rather than writing over it.</source>
        <translation>계정 파일을 읽지 못해(%1) 로그인되어 있지 않습니다. 파일은 그대로 두었습니다: %2. 새로 로그인하면 이 파일은 덮어쓰지 않고 따로 보관합니다.</translation>
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
