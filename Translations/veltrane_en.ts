<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AIRules</name>
    <message>
        <source>Spam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abuse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sexual content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You were signed out. Sign in again in Settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AI check isn&apos;t turned on at the server yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the Glimora server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AI check is busy. Try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AI check request failed (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DashboardModel</name>
    <message>
        <source>Posts · %1 monitored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Posts</source>
        <translation type="unfinished"></translation>
    </message>
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
    <message>
        <source>%1 flagged · %2 comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no author)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no text stored)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Posts with the most deletions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Authors deleted most often</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recently deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1d</source>
        <comment>a number of days</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DateText</name>
    <message>
        <source>h:mm AP</source>
        <comment>time format</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MMM d</source>
        <comment>date format</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M/d</source>
        <comment>date format</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ddd, MMM d</source>
        <comment>date format</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MMM d, yyyy</source>
        <comment>date format</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a date, then a clock</comment>
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
    <name>ScanExport</name>
    <message>
        <source>Couldn&apos;t save. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanStore</name>
    <message>
        <source>The history file could not be opened, so history is off and nothing is saved this run (%1): %2. Check that its folder exists and can be written to, then start the application again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file could not be prepared, so history is off and nothing is saved this run (%1): %2 Check the free disk space and the file&apos;s permissions, then start the application again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be saved because the disk is full: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be saved while another copy of Veltrane writes to it: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History file error: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file is damaged, so history is off for this run: scans are not recorded. The file was left as it is: %1. To start a new history, quit the application and move the file elsewhere (keep it, so it can be recovered); a new one is made at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpamEngine</name>
    <message>
        <source>This isn&apos;t a supported comment page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page changed. Please scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t read the page&apos;s response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t load the scan files. Please restart the app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page didn&apos;t answer the stop request, so the task was ended. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page didn&apos;t answer in time. Please try again.</source>
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
</context>
<context>
    <name>SpamRules</name>
    <message>
        <source>AI: OK · %1% likely a problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI: %1 %2%</source>
        <comment>a category and its probability</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatisticsSheet</name>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing scanned yet. Scan your posts to see their statistics here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open and scan</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VeltraneAccount</name>
    <message>
        <source>it is damaged or cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another server (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no sign-in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be opened: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account file could not be read (%1). It was kept as %2, and the new sign-in was saved in its place. If it held your earlier account, sign in with that account&apos;s email to use it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account file could not be read (%1) and could not be moved aside, so it was left as it is: %2. The new sign-in lasts only until the application quits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account file could not be read (%1), so you are not signed in. It was left as it is: %2. A new sign-in keeps it aside rather than writing over it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
