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
</TS>
