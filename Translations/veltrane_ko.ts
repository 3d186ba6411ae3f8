<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en">
<context>
    <name>AccountMenu</name>
    <message>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>Sign Out</source>
        <translation>로그아웃</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>로그인</translation>
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
        <source>Add this to your agent&apos;s MCP settings to let it read the web view you are looking at and check comments.</source>
        <translation>에이전트의 MCP 설정에 추가하면 지금 보고 있는 웹 화면을 읽고 댓글을 검사할 수 있습니다.</translation>
    </message>
    <message>
        <source>Deleting is always confirmed in the app.</source>
        <translation>삭제는 앱에서 직접 확인합니다.</translation>
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
