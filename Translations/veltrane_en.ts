<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>LoginStatus</name>
    <message>
        <source>Not checked yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signing in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extra verification needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In-app sign-in restricted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection needs checking</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SiteMessage</name>
    <message>
        <source>Press Scan for spam to load and check this video&apos;s comments. No sign-in needed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On youtube.com, comments are collected and checked on a video page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No comments found on this video. Comments are turned off or there are none yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are not signed in, so comments were only collected and checked. To delete, sign in to YouTube and scan again on your own video.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: the comment&apos;s action menu was not found. (YouTube&apos;s layout may have changed.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: the menu has no Delete. You can only delete comments on your own channel&apos;s videos.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site didn&apos;t send the comments. Please scan again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With your own post open, press Scan for spam to load and check all its comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open one of your posts (click it on your profile) to scan it for spam here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No comments found on this post. It has none, or this view does not show the comment list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are not signed in, so only the publicly shown comments were checked (replies and some comments may be missing). To delete, sign in and open your own post.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: the comment options button was not found. (Instagram&apos;s layout may have changed.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: the menu has no Delete. You can only delete comments on your own posts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a supported comment page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned comments were not found. Please scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The comment page changed. Please scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To delete, sign in to the site and scan again on your own comment page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: Delete was pressed but the comment did not go away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deletion cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site didn&apos;t send some of the comments, so only part of them was collected. Please scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site didn&apos;t send some of the replies, so only part of them was collected. Please scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scan was stopped, so only part of the comments was collected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Has likes, not checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open your channel page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t load your posts: the site asks you to sign in or to confirm it&apos;s you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t read your list of posts. (The site&apos;s layout may have changed.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading comments…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting comments… %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting comments… %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking comments…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting… %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deletion complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deletion stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page sent a message that couldn&apos;t be read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
