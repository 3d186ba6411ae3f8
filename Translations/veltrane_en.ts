<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AIPass</name>
    <message>
        <source>Use the AI check?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AI finds spam, abuse and sexual content in your comments. Comment text is sent through the %1 server to an external AI (Quorant); the server does not store it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the AI check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyword rules only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 unchanged since the last scan reused their earlier AI result.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Earlier AI results flag %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI check… %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI check… %1/%2 · %3 suspected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The AI checked %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> AI check stopped. The AI checked %1; the rest are rule results.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The AI checked %1 and found %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 below the threshold, left unticked)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The AI checked %1 and found no problem comments.</source>
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
    <name>OpenPage</name>
    <message>
        <source>Works on YouTube and Instagram comment pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading comments…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PostReview</name>
    <message>
        <source> %1 by authors you deleted before were flagged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please review this page&apos;s scan results again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanJob</name>
    <message>
        <source> The AI check is on but was skipped because you are not signed in. Sign in with your %1 account in Settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scan was stopped before the page answered. Please scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switching the site&apos;s comment order to newest…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading comments…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanReport</name>
    <message>
        <source> The window was covered, so some comments may not have loaded. Scan again with the window visible to check them all.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Since the last scan: %1 new, %2 edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 cleared last time and unchanged were skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Loaded only up to the collection limit (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> This page can&apos;t be switched to newest, so sorting covers only what was loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Like counts couldn&apos;t be read on this page, so &quot;skip comments with likes&quot; was not applied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No comments found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untick anything that isn&apos;t spam.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checked %1 comments; no suspected spam.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 comments flagged. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No new comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collected %1 new comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 flagged to review. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> This scan was not recorded: history is off for this run (Settings › History says why and what to do).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> This scan was not fully recorded in the history: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting comments… %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking… %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting… %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
