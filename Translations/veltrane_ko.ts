<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en">
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
</TS>
