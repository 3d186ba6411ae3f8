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
    <name>ScanStore</name>
    <message>
        <source>The history file is damaged, so history is off for this run: scans are not recorded. The file was left as it is: %1. To start a new history, quit the application and move the file elsewhere (keep it, so it can be recovered); a new one is made at the next start.</source>
        <translation>기록 파일이 손상되어 이번 실행에서는 기록이 꺼져 있습니다. 검사 결과는 기록되지 않습니다. 파일은 그대로 두었습니다: %1. 새 기록을 시작하려면 앱을 종료하고 이 파일을 다른 곳으로 옮기세요(복구해 볼 수 있도록 지우지 말고 보관하세요). 다음 실행 때 새 파일을 만듭니다.</translation>
    </message>
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
    <message>
        <source>Couldn&apos;t load your posts: the site asks you to sign in or to confirm it&apos;s you.</source>
        <translation>로그인이 필요하거나 사이트가 확인을 요청해 내 게시물을 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your list of posts. (The site&apos;s layout may have changed.)</source>
        <translation>내 게시물 목록을 읽지 못했습니다. (사이트 화면이 바뀌었을 수 있음)</translation>
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
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Open and scan</source>
        <translation>열어서 검사</translation>
    </message>
    <message>
        <source>Nothing scanned yet. Scan your posts to see their statistics here.</source>
        <translation>아직 검사 기록이 없습니다. 게시물을 검사하면 여기에 통계가 나옵니다.</translation>
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
</TS>
