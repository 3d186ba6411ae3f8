<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AccountMenu</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to your channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your YouTube and Instagram sign-ins are kept in %1 on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign out of %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This removes the sign-in and site data %1 stored for this service. Sign-ins in other browsers are not affected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountSession</name>
    <message>
        <source>Removed the in-app sign-in for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-out of %1 did not complete: its sign-in is still stored. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-out of %1 did not complete: the site data of %2 could not be cleared, so you are still signed in. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service restricted in-app sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete the extra verification in the web view.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t load the sign-in page. Check your connection and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service restricted in-app sign-in. A sign-in in an external browser is not carried over to this app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t close the web view, so you were not signed out. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgentSetupView</name>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect an AI agent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add this to your agent&apos;s MCP settings to let it read the web view you are looking at and check comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting is always confirmed in the app.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Browser</name>
    <message>
        <source>Finish the current comment task before signing in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web view stopped. Please reload.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a YouTube or Instagram address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the internet connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site&apos;s address could not be found. Check the internet connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site took too long to answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to the site was lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t connect to the proxy server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site&apos;s security certificate could not be verified.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t load the page. %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowserPane</name>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmute browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Muted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmuted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow autoplay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autoplay off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn off autoplay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autoplay on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a comment page address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment page address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter address</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommentListModel</name>
    <message>
        <source>Other comments %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeleteBar</name>
    <message>
        <source>%1 selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · %1 at a time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect all</source>
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
    <name>PanelProgressBar</name>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelTab</name>
    <message>
        <source>Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PostDockModel</name>
    <message>
        <source>POSTS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not scanned · Monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not scanned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · Monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan this post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove this post from the list?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Its scan and deletion history on this computer is deleted too, and loading posts will not bring it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to %1, then load your latest posts and pick the ones to check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load your latest posts and pick the ones to check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load 30 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load latest posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loads the next 30 posts you haven&apos;t scanned yet on this channel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checks the ticked posts one by one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick the posts to check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PostHeading</name>
    <message>
        <source>Not scanned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 deleted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProbabilityRange</name>
    <message>
        <source>Spam probability</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spam probability range to delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunText</name>
    <message>
        <source>Check for spam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check %1 for spam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanSession</name>
    <message>
        <source> · automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 new</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanStage</name>
    <message>
        <source>Opening the post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finishing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · %1 flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanStatusText</name>
    <message>
        <source>Opening the post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>post %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finding the comments to delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SidebarSites</name>
    <message>
        <source>%1 sign-in and sign-out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpamPanel</name>
    <message>
        <source>Checks</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpamPanelModel</name>
    <message>
        <source>No post scanned yet.
Open one of your posts and scan it: its comments show here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No suspected comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No deleted comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned posts have no comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoredCommentRow</name>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no text stored)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Risk probability</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI verdict</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First collected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Likes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the bubble for verdict details and scan times</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Verdict</name>
    <message>
        <source>Off-platform contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Investment promotion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gambling promotion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loan promotion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side-job promotion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adult content promotion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Impersonation or prize lure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Investment testimonial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Promotional comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>External link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Promotional author name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flagged by YouTube</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyword match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built-in word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Author deleted before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cleared last time, unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept at last review, unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picked by you</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not spam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Below the %1% threshold, so it is not ticked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word · </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A built-in word. You can turn the built-in words off in Settings &gt; Word list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules · </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not checked by AI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI: OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1×)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebViewHost</name>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Link Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorkspaceSidebar</name>
    <message>
        <source>AI check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CHANNELS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI agent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check account</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
