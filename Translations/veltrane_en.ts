<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AutoScanSchedule</name>
    <message>
        <source>Automatic scan failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The automatic scan couldn&apos;t scan any posts. Check the app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanned %1 posts automatically.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 suspected comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Review and delete in the app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No suspected comments</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>There is no session bus to post notifications on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No notification service is running; the notice was not shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t post the notice: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>PostCatalog</name>
    <message>
        <source>Couldn&apos;t find your channel. Check your %1 sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No more posts to load.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to %1 to load your posts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading %1 posts…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading stopped.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PostQueue</name>
    <message>
        <source>Opening the post…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open the comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1/%2 posts checked · %3 flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 posts could not be checked. See their statuses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to YouTube or Instagram on the left first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finding your latest %1 posts…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: no posts found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No posts were scanned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Open a post to review and delete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanned %1 posts and flagged %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanned %1 posts; no suspected spam.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemovalJob</name>
    <message>
        <source>Deletion cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Delete the other %1 next time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 deleted)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can delete comments on your own posts after signing in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site asked you to sign in or pass a check. Finish it on the page, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open the post.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry run: %1 comment on %2 post would be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry run: %1 comment on %2 posts would be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry run: %1 comments on %2 post would be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry run: %1 comments on %2 posts would be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The other %1 would be left for next time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing was deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete %1 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the selected comments are deleted. Deleted comments can&apos;t be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 deleted; %2 still remain.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening the post…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not found on the post.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> They were not found on the post or could not be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 deleted; %2 remain.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
