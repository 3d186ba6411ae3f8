<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en">
<context>
    <name>AIPane</name>
    <message>
        <source>The AI finds spam, abuse and sexual content in your comments.</source>
        <translation>AI가 댓글에서 스팸·욕설·성적 표현을 찾습니다.</translation>
    </message>
    <message>
        <source>Off. Only the keyword rules are used.</source>
        <translation>꺼져 있습니다. 키워드 규칙으로만 검사합니다.</translation>
    </message>
    <message>
        <source>With the AI check on, comment text is sent through the %1 server to an external AI (Quorant). The server does not store it, and your keywords are not sent.</source>
        <translation>AI 검사를 켜면 댓글 본문이 %1 서버를 거쳐 외부 AI(Quorant)로 전송됩니다. 서버는 저장하지 않으며 키워드는 보내지 않습니다.</translation>
    </message>
    <message>
        <source>AI check</source>
        <translation>AI 검사</translation>
    </message>
    <message>
        <source>Couldn&apos;t get your number. Check the internet connection.</source>
        <translation>고유번호를 받지 못했습니다. 인터넷 연결을 확인해 주세요.</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>다시 시도</translation>
    </message>
    <message>
        <source>Sign in to run the AI check.</source>
        <translation>로그인해야 AI 검사가 실행됩니다.</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>로그인하기</translation>
    </message>
    <message>
        <source>What to look for</source>
        <translation>찾을 항목</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>항상</translation>
    </message>
    <message>
        <source>Spam</source>
        <translation>스팸</translation>
    </message>
    <message>
        <source>Ads, scams, lures to contact someone or open a link</source>
        <translation>광고, 사기, 연락·링크 유도</translation>
    </message>
    <message>
        <source>Abuse</source>
        <translation>욕설·비방</translation>
    </message>
    <message>
        <source>Insults and harassment aimed at people</source>
        <translation>사람을 향한 욕설과 비하</translation>
    </message>
    <message>
        <source>Sexual content</source>
        <translation>성적 표현</translation>
    </message>
    <message>
        <source>Sexual remarks and explicit content</source>
        <translation>성적인 말과 노골적인 내용</translation>
    </message>
</context>
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
    <name>AccountMenu</name>
    <message>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>Site accounts</source>
        <translation>사이트 계정</translation>
    </message>
    <message>
        <source>Sign in to your channels</source>
        <translation>사용할 채널에 로그인하세요</translation>
    </message>
    <message>
        <source>Your YouTube and Instagram sign-ins are kept in %1 on this computer.</source>
        <translation>YouTube와 Instagram 로그인 정보는 이 컴퓨터의 %1에 유지됩니다.</translation>
    </message>
    <message>
        <source>Sign out of %1?</source>
        <translation>%1에서 로그아웃할까요?</translation>
    </message>
    <message>
        <source>this site</source>
        <translation>사이트</translation>
    </message>
    <message>
        <source>This removes the sign-in and site data %1 stored for this service. Sign-ins in other browsers are not affected.</source>
        <translation>%1에 저장된 이 서비스의 로그인 정보와 사이트 데이터를 삭제합니다. 다른 브라우저의 로그인은 유지됩니다.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>로그아웃</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>로그인</translation>
    </message>
</context>
<context>
    <name>AccountPane</name>
    <message>
        <source>Send again</source>
        <translation>코드 다시 받기</translation>
    </message>
    <message>
        <source>Email me a code</source>
        <translation>인증 코드 받기</translation>
    </message>
    <message>
        <source>This is a test server; the AI check works without signing in.</source>
        <translation>테스트 서버라 로그인하지 않아도 AI 검사를 쓸 수 있습니다.</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>시작하기</translation>
    </message>
    <message>
        <source>Get a number for this computer and start right away, no sign-up.</source>
        <translation>가입 없이 이 컴퓨터에 고유번호를 받아 바로 쓸 수 있습니다.</translation>
    </message>
    <message>
        <source>Sign in to an existing account</source>
        <translation>기존 계정으로 로그인</translation>
    </message>
    <message>
        <source>Continue with email</source>
        <translation>이메일로 시작</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>이메일</translation>
    </message>
    <message>
        <source>6-digit code from the email</source>
        <translation>메일로 받은 6자리 코드</translation>
    </message>
    <message>
        <source>If this is your first time, an account is created for this email.</source>
        <translation>처음이면 이 이메일로 계정이 만들어집니다.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Use a password</source>
        <translation>비밀번호로 로그인</translation>
    </message>
    <message>
        <source>Password (8+ characters)</source>
        <translation>비밀번호 (8자 이상)</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>로그인</translation>
    </message>
    <message>
        <source>Create Account</source>
        <translation>새 계정 만들기</translation>
    </message>
    <message>
        <source>The account is only for the AI check. Rule checks and deleting work without one.</source>
        <translation>계정은 AI 검사에만 쓰입니다. 규칙 검사와 삭제는 계정 없이 됩니다.</translation>
    </message>
    <message>
        <source>Use it on other computers</source>
        <translation>다른 컴퓨터에서도 쓰기</translation>
    </message>
    <message>
        <source>Link an email to sign in with it on other computers and carry on. If that email already has an account, the two accounts are merged.</source>
        <translation>이메일을 연결하면 다른 컴퓨터에서도 그 이메일로 로그인해 이어서 쓸 수 있습니다. 그 이메일에 이미 계정이 있으면 두 계정을 합칩니다.</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Manage account</source>
        <translation>계정 관리</translation>
    </message>
    <message>
        <source>Current password</source>
        <translation>현재 비밀번호</translation>
    </message>
    <message>
        <source>New password (8+ characters)</source>
        <translation>새 비밀번호 (8자 이상)</translation>
    </message>
    <message>
        <source>Delete account</source>
        <translation>계정 삭제</translation>
    </message>
    <message>
        <source>Delete Account Permanently</source>
        <translation>계정 영구 삭제</translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation>개인정보처리방침</translation>
    </message>
    <message>
        <source>Terms</source>
        <translation>이용약관</translation>
    </message>
    <message>
        <source>Server %1</source>
        <translation>서버 %1</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>로그아웃</translation>
    </message>
</context>
<context>
    <name>AccountPaneState</name>
    <message>
        <source>Check the email address.</source>
        <translation>이메일 주소를 확인해 주세요.</translation>
    </message>
    <message>
        <source>The password must be at least 8 characters.</source>
        <translation>비밀번호는 8자 이상이어야 합니다.</translation>
    </message>
    <message>
        <source>The email or password is incorrect.</source>
        <translation>이메일 또는 비밀번호가 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>The code is wrong or has expired. Ask for a new one.</source>
        <translation>코드가 맞지 않거나 만료됐습니다. 새 코드를 받아 주세요.</translation>
    </message>
    <message>
        <source>A code can be sent once a minute. Try again shortly.</source>
        <translation>코드는 1분에 한 번만 받을 수 있습니다. 조금 뒤에 다시 눌러 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t send the email. Check the address and try again shortly.</source>
        <translation>메일을 보내지 못했습니다. 주소를 확인하고 잠시 뒤에 다시 해 주세요.</translation>
    </message>
    <message>
        <source>This server doesn&apos;t take email sign-in. Use a password.</source>
        <translation>이 서버는 이메일 로그인을 받지 않습니다. 비밀번호로 로그인해 주세요.</translation>
    </message>
    <message>
        <source>An email is already linked to this account.</source>
        <translation>이미 이메일이 연결된 계정입니다.</translation>
    </message>
    <message>
        <source>Link an email first.</source>
        <translation>먼저 이메일을 연결해 주세요.</translation>
    </message>
    <message>
        <source>This server doesn&apos;t create accounts without sign-up. Continue with email.</source>
        <translation>이 서버는 가입 없는 계정을 만들어 주지 않습니다. 이메일로 시작해 주세요.</translation>
    </message>
    <message>
        <source>This email is already registered. Please sign in.</source>
        <translation>이미 가입된 이메일입니다. 로그인해 주세요.</translation>
    </message>
    <message>
        <source>Too many attempts. Try again in a moment.</source>
        <translation>시도가 너무 많습니다. 잠시 뒤에 다시 해 주세요.</translation>
    </message>
    <message>
        <source>You were signed out. Please sign in again.</source>
        <translation>로그인이 풀렸습니다. 다시 로그인해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the Glimora server.</source>
        <translation>Glimora 서버에 연결하지 못했습니다.</translation>
    </message>
    <message>
        <source>The current password is incorrect.</source>
        <translation>현재 비밀번호가 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>The request failed (%1).</source>
        <translation>요청이 실패했습니다 (%1).</translation>
    </message>
    <message>
        <source>The request failed.</source>
        <translation>요청이 실패했습니다.</translation>
    </message>
    <message>
        <source>We sent a code to %1. Enter it within 10 minutes.</source>
        <translation>%1로 코드를 보냈습니다. 10분 안에 입력해 주세요.</translation>
    </message>
    <message>
        <source>This account was merged into the one that already used this email. Sign in with it on another computer to carry on.</source>
        <translation>이 이메일에 이미 있던 계정과 합쳤습니다. 다른 컴퓨터에서도 이 이메일로 로그인하면 이어서 쓸 수 있습니다.</translation>
    </message>
    <message>
        <source>Email linked. Sign in with it on another computer to carry on.</source>
        <translation>이메일을 연결했습니다. 다른 컴퓨터에서도 이 이메일로 로그인하면 이어서 쓸 수 있습니다.</translation>
    </message>
    <message>
        <source>Your account is ready.</source>
        <translation>계정을 만들었습니다.</translation>
    </message>
    <message>
        <source>Sign in with a password</source>
        <translation>비밀번호로 로그인</translation>
    </message>
    <message>
        <source>Sign in or create an account</source>
        <translation>로그인 또는 회원가입</translation>
    </message>
    <message>
        <source>Start without signing up</source>
        <translation>가입 없이 시작</translation>
    </message>
    <message>
        <source>Use an email code</source>
        <translation>이메일 코드로 로그인</translation>
    </message>
    <message>
        <source>This computer</source>
        <translation>이 컴퓨터</translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation>로그인됨</translation>
    </message>
    <message>
        <source>ID %1</source>
        <translation>고유번호 %1</translation>
    </message>
    <message>
        <source>Using it without signing up</source>
        <translation>가입 없이 쓰는 중입니다</translation>
    </message>
    <message>
        <source>Change password</source>
        <translation>비밀번호 변경</translation>
    </message>
    <message>
        <source>Set a password</source>
        <translation>비밀번호 정하기</translation>
    </message>
    <message>
        <source>Other devices will be signed out.</source>
        <translation>다른 기기에서는 로그아웃됩니다.</translation>
    </message>
    <message>
        <source>Optional: you can always sign in with an emailed code.</source>
        <translation>안 정해도 이메일 코드로 로그인할 수 있습니다.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>변경</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>정하기</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>비밀번호 변경</translation>
    </message>
    <message>
        <source>Set Password</source>
        <translation>비밀번호 정하기</translation>
    </message>
    <message>
        <source>The account is erased for good and cannot be restored.</source>
        <translation>계정과 그 기록이 영구히 지워지며 되돌릴 수 없습니다.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>Enter your current password to delete</source>
        <translation>현재 비밀번호를 입력하면 삭제합니다</translation>
    </message>
    <message>
        <source>Enter your email address to delete</source>
        <translation>이메일 주소를 입력하면 삭제합니다</translation>
    </message>
    <message>
        <source>Password changed.</source>
        <translation>비밀번호를 바꿨습니다.</translation>
    </message>
    <message>
        <source>Password set.</source>
        <translation>비밀번호를 정했습니다.</translation>
    </message>
    <message>
        <source>Account deleted.</source>
        <translation>계정을 삭제했습니다.</translation>
    </message>
</context>
<context>
    <name>AccountSession</name>
    <message>
        <source>Removed the in-app sign-in for %1.</source>
        <translation>%1의 앱 내 로그인 정보를 삭제했습니다.</translation>
    </message>
    <message>
        <source>Sign-out of %1 did not complete: its sign-in is still stored. Please try again.</source>
        <translation>%1의 로그인 정보가 아직 남아 있어 로그아웃을 마치지 못했습니다. 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>Sign-out of %1 did not complete: the site data of %2 could not be cleared, so you are still signed in. Please try again.</source>
        <translation>%1의 사이트 데이터를 다 지우지 못해 로그아웃하지 않았습니다 (남은 곳: %2). 로그인은 그대로입니다. 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>The service restricted in-app sign-in.</source>
        <translation>서비스에서 앱 내 로그인을 제한했습니다.</translation>
    </message>
    <message>
        <source>Complete the extra verification in the web view.</source>
        <translation>브라우저 화면에서 추가 인증을 완료해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t load the sign-in page. Check your connection and try again.</source>
        <translation>로그인 페이지를 불러오지 못했습니다. 네트워크 연결을 확인한 뒤 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>The service restricted in-app sign-in. A sign-in in an external browser is not carried over to this app.</source>
        <translation>서비스에서 앱 내 로그인을 제한했습니다. 외부 브라우저의 로그인은 이 앱으로 전달되지 않습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t close the web view, so you were not signed out. Please try again.</source>
        <translation>웹 화면을 닫지 못해 로그아웃하지 않았습니다. 다시 시도해 주세요.</translation>
    </message>
</context>
<context>
    <name>AgentController</name>
    <message>
        <source>The app has closed.</source>
        <translation>앱이 종료되었습니다.</translation>
    </message>
    <message>
        <source>A command is needed.</source>
        <translation>명령이 필요합니다.</translation>
    </message>
    <message>
        <source>This command isn&apos;t supported.</source>
        <translation>지원하지 않는 명령입니다.</translation>
    </message>
    <message>
        <source>Finish signing in, and any extra check, in the app yourself.</source>
        <translation>로그인과 추가 인증은 앱에서 직접 완료해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t prepare the AI connection. Restart the app.</source>
        <translation>AI 연결을 준비하지 못했습니다. 앱을 다시 실행해 주세요.</translation>
    </message>
    <message>
        <source>Open a supported comment page, then try again.</source>
        <translation>지원하는 댓글 페이지가 열린 뒤 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t load the page-reading script.</source>
        <translation>화면 읽기 파일을 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>The page changed. Read it again.</source>
        <translation>페이지가 바뀌었습니다. 다시 읽어 주세요.</translation>
    </message>
    <message>
        <source>The page isn&apos;t responding. Try again.</source>
        <translation>페이지가 응답하지 않습니다. 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>The page&apos;s content is too large.</source>
        <translation>화면 내용이 너무 큽니다.</translation>
    </message>
    <message>
        <source>Finish the current task, then open a supported comment address.</source>
        <translation>현재 작업을 마친 뒤 지원하는 댓글 주소를 열어 주세요.</translation>
    </message>
    <message>
        <source>A check can&apos;t start right now.</source>
        <translation>검사를 시작할 수 없는 상태입니다.</translation>
    </message>
    <message>
        <source>The number of comments to collect isn&apos;t valid.</source>
        <translation>수집 개수가 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>The sort order isn&apos;t valid.</source>
        <translation>정렬 설정이 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>The protection of liked comments isn&apos;t valid.</source>
        <translation>좋아요 보호 설정이 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>The check couldn&apos;t finish.</source>
        <translation>검사를 완료하지 못했습니다.</translation>
    </message>
    <message>
        <source>The IDs of the comments to select are needed.</source>
        <translation>선택할 댓글 ID가 필요합니다.</translation>
    </message>
    <message>
        <source>Check again what to delete on the current page.</source>
        <translation>현재 페이지의 삭제 대상을 다시 확인해 주세요.</translation>
    </message>
    <message>
        <source>No comments are selected.</source>
        <translation>선택한 댓글이 없습니다.</translation>
    </message>
    <message>
        <source>A YouTube video or Instagram post address is needed.</source>
        <translation>YouTube 영상이나 Instagram 게시물 주소가 필요합니다.</translation>
    </message>
    <message>
        <source>This comment wasn&apos;t checked.</source>
        <translation>검사한 댓글이 아닙니다.</translation>
    </message>
    <message>
        <source>This command isn&apos;t available yet.</source>
        <translation>이 명령은 아직 사용할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>AgentSetupView</name>
    <message>
        <source>Copied</source>
        <translation>복사됨</translation>
    </message>
    <message>
        <source>Couldn&apos;t copy</source>
        <translation>복사하지 못했습니다</translation>
    </message>
    <message>
        <source>Copy settings</source>
        <translation>설정 복사</translation>
    </message>
    <message>
        <source>Connect an AI agent</source>
        <translation>AI 에이전트 연결</translation>
    </message>
    <message>
        <source>Deleting is always confirmed in the app.</source>
        <translation>삭제는 앱에서 직접 확인합니다.</translation>
    </message>
    <message>
        <source>Add this to your agent&apos;s MCP settings to let it read the web view you are looking at and check comments. It starts the bridge beside this app and finds this window&apos;s data folder.</source>
        <translation>에이전트의 MCP 설정에 추가하면 지금 보고 있는 웹 화면을 읽고 댓글을 검사할 수 있습니다. 이 앱 옆의 브리지를 실행하고 이 창의 데이터 폴더를 찾아갑니다.</translation>
    </message>
</context>
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
    <name>BasicPane</name>
    <message>
        <source>Collecting</source>
        <translation>수집</translation>
    </message>
    <message>
        <source>How many to collect</source>
        <translation>수집 개수</translation>
    </message>
    <message>
        <source>Loads and checks only this many comments, in page order.</source>
        <translation>화면 순서대로 이 개수까지만 불러와 검사합니다.</translation>
    </message>
    <message>
        <source>Posts per channel scan</source>
        <translation>채널 스캔 게시물 수</translation>
    </message>
    <message>
        <source>Scanning away from a comment page checks this many of the latest posts on each signed-in channel.</source>
        <translation>댓글 화면이 아닌 곳에서 스캔하면 로그인한 채널마다 최신 게시물을 이 개수만큼 검사합니다.</translation>
    </message>
    <message>
        <source>Automatic scan</source>
        <translation>자동 스캔</translation>
    </message>
    <message>
        <source>Scans your latest posts while you use other apps and notifies you of the result. Runs only while the app window is on screen. Nothing is deleted.</source>
        <translation>다른 앱을 쓰는 동안 최신 게시물을 검사하고 결과를 알림으로 알려 줍니다. 앱 창이 화면에 보일 때만 돌고, 삭제는 하지 않습니다.</translation>
    </message>
    <message>
        <source>Likes</source>
        <translation>좋아요 수</translation>
    </message>
    <message>
        <source>Skip comments with likes</source>
        <translation>좋아요 받은 댓글은 제외</translation>
    </message>
    <message>
        <source>Word list</source>
        <translation>단어 목록</translation>
    </message>
    <message>
        <source>Built-in words</source>
        <translation>기본 사전</translation>
    </message>
    <message>
        <source>A comment containing one of these words is spam, including variations with spaces or symbols inserted. You can also edit the list on the results screen, and changes apply to the results right away.</source>
        <translation>이 단어가 들어 있는 댓글은 바로 스팸입니다. 띄어쓰기나 기호를 끼워 넣은 변형도 잡습니다. 검사 결과 화면에서도 넣고 뺄 수 있고, 바꾸면 결과에 바로 반영됩니다.</translation>
    </message>
    <message>
        <source>Add words (comma-separated, 2+ characters)</source>
        <translation>단어 입력 (쉼표로 여러 개, 2글자 이상)</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>추가</translation>
    </message>
</context>
<context>
    <name>BasicPaneModel</name>
    <message>
        <source>All</source>
        <translation>전체</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>a number of comments set elsewhere</comment>
        <translation>%1개</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>1h</source>
        <translation>1시간</translation>
    </message>
    <message>
        <source>6h</source>
        <translation>6시간</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>매일</translation>
    </message>
    <message>
        <source>%1+</source>
        <comment>at least this many likes</comment>
        <translation>%1개 이상</translation>
    </message>
    <message>
        <source>Comments with %1 or more likes are left alone and not checked.</source>
        <translation>좋아요가 %1개 이상이면 검사하지 않고 남겨 둡니다.</translation>
    </message>
    <message>
        <source>Finds %1 abusive and %2 sexual words. Comments the AI has checked keep the AI&apos;s verdict.</source>
        <translation>욕설 %1개와 성적 표현 %2개를 찾습니다. AI가 본 댓글은 AI의 판정을 따릅니다.</translation>
    </message>
</context>
<context>
    <name>BrandSwitch</name>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
</context>
<context>
    <name>Browser</name>
    <message>
        <source>Finish the current comment task before signing in.</source>
        <translation>진행 중인 댓글 작업을 마친 뒤 로그인해 주세요.</translation>
    </message>
    <message>
        <source>The web view stopped. Please reload.</source>
        <translation>웹 화면이 종료되었습니다. 새로고침해 주세요.</translation>
    </message>
    <message>
        <source>Enter a YouTube or Instagram address.</source>
        <translation>YouTube 또는 Instagram 주소를 입력해 주세요.</translation>
    </message>
    <message>
        <source>Check the internet connection.</source>
        <translation>인터넷 연결을 확인해 주세요.</translation>
    </message>
    <message>
        <source>The site&apos;s address could not be found. Check the internet connection.</source>
        <translation>사이트 주소를 찾지 못했습니다. 인터넷 연결을 확인해 주세요.</translation>
    </message>
    <message>
        <source>The site took too long to answer.</source>
        <translation>사이트가 제때 응답하지 않았습니다.</translation>
    </message>
    <message>
        <source>The connection to the site was lost.</source>
        <translation>사이트와 연결이 끊어졌습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t connect to the proxy server.</source>
        <translation>프록시 서버에 연결하지 못했습니다.</translation>
    </message>
    <message>
        <source>The site&apos;s security certificate could not be verified.</source>
        <translation>사이트의 보안 인증서를 확인하지 못했습니다.</translation>
    </message>
    <message>
        <source>Please try again in a moment.</source>
        <translation>잠시 후 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t load the page. %1</source>
        <translation>페이지를 불러오지 못했습니다. %1</translation>
    </message>
</context>
<context>
    <name>BrowserPane</name>
    <message>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>앞으로</translation>
    </message>
    <message>
        <source>Stop loading</source>
        <translation>불러오기 중지</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>새로고침</translation>
    </message>
    <message>
        <source>Unmute browser</source>
        <translation>음소거 해제</translation>
    </message>
    <message>
        <source>Muted</source>
        <translation>음소거 켜짐</translation>
    </message>
    <message>
        <source>Mute browser</source>
        <translation>브라우저 음소거</translation>
    </message>
    <message>
        <source>Unmuted</source>
        <translation>음소거 꺼짐</translation>
    </message>
    <message>
        <source>Allow autoplay</source>
        <translation>자동 재생 허용</translation>
    </message>
    <message>
        <source>Autoplay off</source>
        <translation>자동 재생 꺼짐</translation>
    </message>
    <message>
        <source>Turn off autoplay</source>
        <translation>자동 재생 끄기</translation>
    </message>
    <message>
        <source>Autoplay on</source>
        <translation>자동 재생 켜짐</translation>
    </message>
    <message>
        <source>Enter a comment page address</source>
        <translation>댓글 페이지 주소 입력</translation>
    </message>
    <message>
        <source>Comment page address</source>
        <translation>댓글 페이지 주소</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>다시 시도</translation>
    </message>
    <message>
        <source>Enter address</source>
        <translation>주소 입력</translation>
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
    <name>ControlClient</name>
    <message>
        <source>Start Glimora first.</source>
        <translation>Glimora 앱을 먼저 실행해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the app.</source>
        <translation>앱에 연결하지 못했습니다.</translation>
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
    <name>HistoryPane</name>
    <message>
        <source>Retention</source>
        <translation>보관</translation>
    </message>
    <message>
        <source>Keep for</source>
        <translation>보관 기간</translation>
    </message>
    <message>
        <source>Records of comments and posts not seen for longer than this are removed. Monitored posts are kept.</source>
        <translation>이보다 오래 보이지 않은 댓글과 게시물의 기록을 지웁니다. 모니터링 중인 게시물은 남깁니다.</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>데이터</translation>
    </message>
    <message>
        <source>Export progress</source>
        <translation>내보내기 진행</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>내보내기</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>CSV로 내보내기</translation>
    </message>
    <message>
        <source>Saves every stored comment with author, text, verdict and deletion time to a file.</source>
        <translation>저장된 댓글 전부를 작성자·본문·판정·삭제 시각과 함께 파일로 저장합니다.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>Clear all history</source>
        <translation>기록 모두 지우기</translation>
    </message>
    <message>
        <source>Removes all stored comments and post records. Monitored posts stay in the list. This cannot be undone.</source>
        <translation>저장된 댓글과 게시물 기록을 지웁니다. 모니터링 중인 게시물은 목록에 남습니다. 되돌릴 수 없습니다.</translation>
    </message>
    <message>
        <source>History stays on this computer and is never sent to the Glimora server.</source>
        <translation>기록은 이 컴퓨터에만 저장되고 Glimora 서버로 보내지 않습니다.</translation>
    </message>
</context>
<context>
    <name>HistoryPaneModel</name>
    <message>
        <source>%1d</source>
        <comment>a number of days</comment>
        <translation>%1일</translation>
    </message>
    <message>
        <source>Clear all scan history</source>
        <translation>검사 기록을 모두 지웁니다</translation>
    </message>
    <message>
        <source>%1 stored comments and the post records will be removed. This cannot be undone.</source>
        <translation>저장된 댓글 %1개와 게시물 기록을 지웁니다. 되돌릴 수 없습니다.</translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation>%1에 저장했습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t save. %1</source>
        <translation>저장하지 못했습니다. %1</translation>
    </message>
    <message>
        <source>History cleared.</source>
        <translation>기록을 지웠습니다.</translation>
    </message>
    <message>
        <source>Export cancelled.</source>
        <translation>내보내기를 취소했습니다.</translation>
    </message>
    <message>
        <source>Couldn&apos;t clear the history. Try again when the scan or deletion has ended.</source>
        <translation>기록을 지우지 못했습니다. 검사나 삭제가 끝난 뒤에 다시 해 주세요.</translation>
    </message>
    <message>
        <source>Couldn&apos;t clear the history. %1</source>
        <translation>기록을 지우지 못했습니다. %1</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>CSV로 내보내기</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>지우기</translation>
    </message>
</context>
<context>
    <name>HistoryState</name>
    <message>
        <source>The history file could not be written.</source>
        <translation>기록 파일에 쓰지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>KeywordChips</name>
    <message>
        <source>Remove %1</source>
        <translation>%1 삭제</translation>
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
    <name>PostDockModel</name>
    <message>
        <source>POSTS</source>
        <translation>게시물</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>전체 선택</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>전체 해제</translation>
    </message>
    <message>
        <source>Search posts</source>
        <translation>게시물 검색</translation>
    </message>
    <message>
        <source>Queued</source>
        <translation>대기 중</translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation>검사 중</translation>
    </message>
    <message>
        <source>Scan failed</source>
        <translation>검사 실패</translation>
    </message>
    <message>
        <source>Not scanned · Monitoring</source>
        <translation>검사 전 · 모니터링</translation>
    </message>
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
        <translation>의심 %1</translation>
    </message>
    <message>
        <source> · Monitoring</source>
        <translation> · 모니터링</translation>
    </message>
    <message>
        <source>Today %1</source>
        <translation>오늘 %1</translation>
    </message>
    <message>
        <source>Scan this post</source>
        <translation>스캔 대상</translation>
    </message>
    <message>
        <source>Stop monitoring</source>
        <translation>모니터링 끄기</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>모니터링 켜기</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>목록에서 지우기</translation>
    </message>
    <message>
        <source>Remove this post from the list?</source>
        <translation>이 게시물을 목록에서 지울까요?</translation>
    </message>
    <message>
        <source>%1

Its scan and deletion history on this computer is deleted too, and loading posts will not bring it back.</source>
        <translation>%1

이 컴퓨터에 저장된 이 게시물의 검사 기록과 삭제 기록도 함께 지워지고, 게시물을 불러올 때 다시 나타나지 않습니다.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>Sign in to %1, then load your latest posts and pick the ones to check.</source>
        <translation>%1에 로그인한 다음 최신 게시물을 불러와 검사할 게시물을 고르세요.</translation>
    </message>
    <message>
        <source>Load your latest posts and pick the ones to check.</source>
        <translation>최신 게시물을 불러와 검사할 게시물을 고르세요.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>중지</translation>
    </message>
    <message>
        <source>Stop loading</source>
        <translation>불러오기 중지</translation>
    </message>
    <message>
        <source>Load 30 more</source>
        <translation>30개 더 불러오기</translation>
    </message>
    <message>
        <source>Load latest posts</source>
        <translation>최신 게시물 불러오기</translation>
    </message>
    <message>
        <source>Loads the next 30 posts you haven&apos;t scanned yet on this channel.</source>
        <translation>이 채널에서 아직 검사하지 않은 최신 게시물을 30개 더 불러옵니다.</translation>
    </message>
    <message>
        <source>Checks the ticked posts one by one.</source>
        <translation>체크한 게시물을 차례로 검사합니다.</translation>
    </message>
    <message>
        <source>Tick the posts to check.</source>
        <translation>검사할 게시물을 체크하세요.</translation>
    </message>
    <message>
        <source>Sign in to %1</source>
        <translation>%1 로그인</translation>
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
    <message>
        <source> These deletions were not recorded: history is off for this run (Settings › History says why and what to do).</source>
        <translation> 기록이 꺼져 있어 이 삭제는 기록되지 않았습니다(이유와 할 일은 설정 › 기록에 있습니다).</translation>
    </message>
    <message>
        <source> These deletions were not fully recorded in the history: </source>
        <translation> 이 삭제는 기록에 다 저장되지 않았습니다: </translation>
    </message>
    <message>
        <source>Only the selected comments are deleted.</source>
        <translation>선택한 댓글만 삭제합니다.</translation>
    </message>
    <message numerus="yes">
        <source>Deleting a comment also deletes its replies: %n more comment(s) will be deleted with the chosen threads.</source>
        <translation>
            <numerusform>댓글을 삭제하면 그 답글도 함께 삭제됩니다. 선택한 스레드와 함께 답글 %n개가 더 삭제됩니다.</numerusform>
        </translation>
    </message>
    <message>
        <source>To keep the replies, untick the comment that starts their thread.</source>
        <translation>답글을 남기려면 스레드 첫 댓글의 선택을 해제하세요.</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(이름 없음)</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n comment(s)</source>
        <translation>
            <numerusform>댓글 %n개를 삭제합니다</numerusform>
        </translation>
    </message>
    <message>
        <source>Deleted comments can&apos;t be restored.</source>
        <translation>삭제한 댓글은 복구할 수 없습니다.</translation>
    </message>
    <message>
        <source>The connected AI agent asks to delete these comments on the open post:</source>
        <translation>연결된 AI 에이전트가 열린 게시물의 다음 댓글을 삭제하려고 합니다:</translation>
    </message>
    <message>
        <source>The connected AI agent asks to delete these comments on “%1”:</source>
        <translation>연결된 AI 에이전트가 “%1”의 다음 댓글을 삭제하려고 합니다:</translation>
    </message>
    <message numerus="yes">
        <source>…and %n more.</source>
        <translation>
            <numerusform>…외 %n개</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The AI agent asks to delete %n comment(s)</source>
        <translation>
            <numerusform>AI 에이전트가 댓글 %n개 삭제를 요청했습니다</numerusform>
        </translation>
    </message>
    <message>
        <source>Deleted comments can&apos;t be restored. Delete them only if you asked the agent to.</source>
        <translation>삭제한 댓글은 복구할 수 없습니다. 에이전트에게 직접 맡긴 경우에만 삭제하세요.</translation>
    </message>
    <message numerus="yes">
        <source>%n more went with their threads.</source>
        <translation>
            <numerusform>답글 %n개가 스레드와 함께 삭제되었습니다.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them are not flagged as spam.</source>
        <translation>
            <numerusform>그중 %n개는 스팸으로 표시되지 않은 답글입니다.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them were written by you.</source>
        <translation>
            <numerusform>그중 %n개는 내가 쓴 답글입니다.</numerusform>
        </translation>
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
    <message>
        <source>%1 would be in the folder where Veltrane keeps its own files. Choose another folder.</source>
        <translation>%1은(는) Veltrane이 자체 파일을 두는 폴더에 저장됩니다. 다른 폴더를 고르세요.</translation>
    </message>
    <message>
        <source>%1 is one of Veltrane&apos;s own history files. Choose another name or folder.</source>
        <translation>%1은(는) Veltrane의 기록 파일입니다. 다른 이름이나 폴더를 고르세요.</translation>
    </message>
    <message>
        <source>The disk is full. Free some space or choose another disk, then export again.</source>
        <translation>디스크가 가득 찼습니다. 공간을 비우거나 다른 디스크를 고른 뒤 다시 내보내세요.</translation>
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
        <source>History file error: %1 (%2)</source>
        <translation>기록 파일 오류: %1 (%2)</translation>
    </message>
    <message>
        <source>The history file is damaged, so history is off for this run: scans are not recorded. The file was left as it is: %1. To start a new history, quit the application and move the file elsewhere (keep it, so it can be recovered); a new one is made at the next start.</source>
        <translation>기록 파일이 손상되어 이번 실행에서는 기록이 꺼져 있습니다. 검사 결과는 기록되지 않습니다. 파일은 그대로 두었습니다: %1. 새 기록을 시작하려면 앱을 종료하고 이 파일을 다른 곳으로 옮기세요(복구해 볼 수 있도록 지우지 말고 보관하세요). 다음 실행 때 새 파일을 만듭니다.</translation>
    </message>
    <message>
        <source>The history file or one beside it is a link (%1 leads to %2), and history is kept only in files of its own, so history is off and nothing is saved this run. Remove the link, then start the application again.</source>
        <translation>기록 파일이나 그 옆의 파일이 링크입니다(%1 → %2). 기록은 링크가 아닌 자체 파일에만 저장하므로 이번 실행에서는 기록이 꺼져 있고 아무것도 저장되지 않습니다. 링크를 없앤 뒤 앱을 다시 시작하세요.</translation>
    </message>
    <message>
        <source>The history file %1 was made by a newer version of Veltrane, so it is left as it is and history is off for this run: scans are not recorded. Update Veltrane to use this history again.</source>
        <translation>기록 파일 %1은(는) 더 새로운 버전의 Veltrane이 만든 파일이라 그대로 두었고, 이번 실행에서는 기록이 꺼져 있습니다. 검사 결과는 기록되지 않습니다. 이 기록을 다시 쓰려면 Veltrane을 업데이트하세요.</translation>
    </message>
    <message>
        <source>The history could not be read because another program kept it locked: %1</source>
        <translation>다른 프로그램이 기록 파일을 잠그고 있어 읽지 못했습니다: %1</translation>
    </message>
    <message>
        <source>The history could not be saved because its file stayed locked for more than 5 seconds (another copy of Veltrane or another program may be writing to it): %1</source>
        <translation>기록 파일이 5초 넘게 잠겨 있어 저장하지 못했습니다(다른 Veltrane 창이나 다른 프로그램이 쓰고 있을 수 있습니다): %1</translation>
    </message>
    <message>
        <source>The history could not be saved because this application was still reading the same records: %1</source>
        <translation>이 앱이 같은 기록을 아직 읽고 있어 저장하지 못했습니다: %1</translation>
    </message>
    <message>
        <source>The history could not be saved because its file or folder is read-only: %1</source>
        <translation>기록 파일이나 폴더가 읽기 전용이라 저장하지 못했습니다: %1</translation>
    </message>
</context>
<context>
    <name>SettingsTab</name>
    <message>
        <source>AI Check</source>
        <translation>AI 검사</translation>
    </message>
    <message>
        <source>Collecting &amp; rules</source>
        <translation>수집·규칙</translation>
    </message>
    <message>
        <source>History</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>계정</translation>
    </message>
    <message>
        <source>Choose the types of comments AI should find.</source>
        <translation>AI가 찾아낼 댓글 유형을 정하세요.</translation>
    </message>
    <message>
        <source>Manage collection limits and your keyword rules.</source>
        <translation>수집 범위와 나만의 키워드 규칙을 관리하세요.</translation>
    </message>
    <message>
        <source>Manage the history stored on this computer and how long to keep it.</source>
        <translation>이 컴퓨터에 저장하는 기록과 보관 기간을 관리하세요.</translation>
    </message>
    <message>
        <source>Manage the service account that the AI check uses.</source>
        <translation>AI 검사에 쓰는 서비스 계정을 관리하세요.</translation>
    </message>
    <message>
        <source>Sign-in needed</source>
        <translation>로그인 필요</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>꺼짐</translation>
    </message>
    <message>
        <source>Needs your consent</source>
        <translation>동의 필요</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켜짐</translation>
    </message>
    <message>
        <source>Collect all</source>
        <translation>전체 수집</translation>
    </message>
    <message>
        <source>Up to %1</source>
        <translation>최대 %1개</translation>
    </message>
    <message>
        <source>%1 keywords</source>
        <translation>키워드 %1</translation>
    </message>
    <message>
        <source>History off · file unreadable</source>
        <translation>기록 꺼짐 · 파일을 읽지 못함</translation>
    </message>
    <message>
        <source>%1 comments · %2 days</source>
        <translation>댓글 %1개 · %2일 보관</translation>
    </message>
    <message>
        <source>Account file unreadable</source>
        <translation>계정 파일을 읽지 못함</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>로그인 안 됨</translation>
    </message>
    <message>
        <source>ID %1</source>
        <translation>고유번호 %1</translation>
    </message>
    <message>
        <source>This computer</source>
        <translation>이 컴퓨터</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Preferences</source>
        <translation>환경설정</translation>
    </message>
    <message>
        <source>✓ Settings save automatically</source>
        <translation>✓ 설정은 자동으로 저장됩니다</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>완료</translation>
    </message>
</context>
<context>
    <name>SidebarSites</name>
    <message>
        <source>%1 sign-in and sign-out</source>
        <translation>%1 로그인·로그아웃</translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation>%1 계정</translation>
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
    <message>
        <source>The results below are from &quot;%1&quot;.</source>
        <translation>아래 결과는 &quot;%1&quot;의 결과입니다.</translation>
    </message>
    <message numerus="yes">
        <source>The results below are from %n other posts, &quot;%1&quot; first.</source>
        <translation>
            <numerusform>아래 결과는 &quot;%1&quot; 등 다른 게시물 %n개의 결과입니다.</numerusform>
        </translation>
    </message>
    <message>
        <source>The open post hasn&apos;t been checked here.</source>
        <translation>지금 열린 게시물은 아직 검사하지 않았습니다.</translation>
    </message>
    <message>
        <source>To check it, tick its tile under the browser, untick the others and press the check button there.</source>
        <translation>검사하려면 브라우저 아래에서 이 게시물의 타일을 선택하고 다른 타일은 해제한 뒤 검사 버튼을 누르세요.</translation>
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
    <message>
        <source>it is a link to %1, not a file of its own</source>
        <translation>파일이 아니라 %1(으)로 가는 링크입니다</translation>
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
<context>
    <name>WebViewHost</name>
    <message>
        <source>Undo</source>
        <translation>실행 취소</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>다시 실행</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>잘라내기</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>복사</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>붙여넣기</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>모두 선택</translation>
    </message>
    <message>
        <source>Copy Link Address</source>
        <translation>링크 주소 복사</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>앞으로</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>새로고침</translation>
    </message>
</context>
<context>
    <name>WorkspaceSidebar</name>
    <message>
        <source>AI check</source>
        <translation>AI 검사</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>시작하기</translation>
    </message>
    <message>
        <source>Manage account</source>
        <translation>계정 관리</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>로그인</translation>
    </message>
    <message>
        <source>CHANNELS</source>
        <translation>내 채널</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>통계</translation>
    </message>
    <message>
        <source>Scan settings</source>
        <translation>검사 설정</translation>
    </message>
    <message>
        <source>AI agent</source>
        <translation>에이전트 연결</translation>
    </message>
    <message>
        <source>Check account</source>
        <translation>계정 확인 필요</translation>
    </message>
</context>
</TS>
