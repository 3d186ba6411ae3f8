<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AIPane</name>
    <message>
        <source>The AI finds spam, abuse and sexual content in your comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off. Only the keyword rules are used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With the AI check on, comment text is sent through the %1 server to an external AI (Quorant). The server does not store it, and your keywords are not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t get your number. Check the internet connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to run the AI check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What to look for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ads, scams, lures to contact someone or open a link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abuse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insults and harassment aimed at people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sexual content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sexual remarks and explicit content</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>AccountMenu</name>
    <message>
        <source>Open</source>
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
    <message>
        <source>Sign out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountPane</name>
    <message>
        <source>Send again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email me a code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a test server; the AI check works without signing in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get a number for this computer and start right away, no sign-up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to an existing account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue with email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6-digit code from the email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If this is your first time, an account is created for this email.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password (8+ characters)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account is only for the AI check. Rule checks and deleting work without one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use it on other computers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link an email to sign in with it on other computers and carry on. If that email already has an account, the two accounts are merged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New password (8+ characters)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Account Permanently</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountPaneState</name>
    <message>
        <source>Check the email address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password must be at least 8 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The email or password is incorrect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code is wrong or has expired. Ask for a new one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A code can be sent once a minute. Try again shortly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t send the email. Check the address and try again shortly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This server doesn&apos;t take email sign-in. Use a password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An email is already linked to this account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link an email first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This server doesn&apos;t create accounts without sign-up. Continue with email.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This email is already registered. Please sign in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many attempts. Try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You were signed out. Please sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the Glimora server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The current password is incorrect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request failed (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We sent a code to %1. Enter it within 10 minutes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This account was merged into the one that already used this email. Sign in with it on another computer to carry on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email linked. Sign in with it on another computer to carry on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your account is ready.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in with a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in or create an account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start without signing up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use an email code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using it without signing up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other devices will be signed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optional: you can always sign in with an emailed code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account is erased for good and cannot be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter your current password to delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter your email address to delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account deleted.</source>
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
    <name>AgentController</name>
    <message>
        <source>The app has closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A command is needed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This command isn&apos;t supported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish signing in, and any extra check, in the app yourself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t prepare the AI connection. Restart the app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a supported comment page, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t load the page-reading script.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page changed. Read it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page isn&apos;t responding. Try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page&apos;s content is too large.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish the current task, then open a supported comment address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A check can&apos;t start right now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The number of comments to collect isn&apos;t valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sort order isn&apos;t valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The protection of liked comments isn&apos;t valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The check couldn&apos;t finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The IDs of the comments to select are needed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check again what to delete on the current page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No comments are selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A YouTube video or Instagram post address is needed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This comment wasn&apos;t checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This command isn&apos;t available yet.</source>
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
        <source>Deleting is always confirmed in the app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add this to your agent&apos;s MCP settings to let it read the web view you are looking at and check comments. It starts the bridge beside this app and finds this window&apos;s data folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>BasicPane</name>
    <message>
        <source>Collecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many to collect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loads and checks only this many comments, in page order.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Posts per channel scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning away from a comment page checks this many of the latest posts on each signed-in channel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scans your latest posts while you use other apps and notifies you of the result. Runs only while the app window is on screen. Nothing is deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Likes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip comments with likes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built-in words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A comment containing one of these words is spam, including variations with spaces or symbols inserted. You can also edit the list on the results screen, and changes apply to the results right away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add words (comma-separated, 2+ characters)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BasicPaneModel</name>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1</source>
        <comment>a number of comments set elsewhere</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1+</source>
        <comment>at least this many likes</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comments with %1 or more likes are left alone and not checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finds %1 abusive and %2 sexual words. Comments the AI has checked keep the AI&apos;s verdict.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrandSwitch</name>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
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
    <name>ControlClient</name>
    <message>
        <source>Start Glimora first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the app.</source>
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
    <name>HistoryPane</name>
    <message>
        <source>Retention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records of comments and posts not seen for longer than this are removed. Monitored posts are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves every stored comment with author, text, verdict and deletion time to a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removes all stored comments and post records. Monitored posts stay in the list. This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History stays on this computer and is never sent to the Glimora server.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryPaneModel</name>
    <message>
        <source>%1d</source>
        <comment>a number of days</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all scan history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stored comments and the post records will be removed. This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History cleared.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t clear the history. Try again when the scan or deletion has ended.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t clear the history. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryState</name>
    <message>
        <source>The history file could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeywordChips</name>
    <message>
        <source>Remove %1</source>
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
    <message>
        <source> These deletions were not recorded: history is off for this run (Settings › History says why and what to do).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> These deletions were not fully recorded in the history: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the selected comments are deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Deleting a comment also deletes its replies: %n more comment(s) will be deleted with the chosen threads.</source>
        <translation>
            <numerusform>Deleting a comment also deletes its replies: %n more comment will be deleted with the chosen threads.</numerusform>
            <numerusform>Deleting a comment also deletes its replies: %n more comments will be deleted with the chosen threads.</numerusform>
        </translation>
    </message>
    <message>
        <source>To keep the replies, untick the comment that starts their thread.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Delete %n comment(s)</source>
        <translation>
            <numerusform>Delete %n comment</numerusform>
            <numerusform>Delete %n comments</numerusform>
        </translation>
    </message>
    <message>
        <source>Deleted comments can&apos;t be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connected AI agent asks to delete these comments on the open post:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connected AI agent asks to delete these comments on “%1”:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>…and %n more.</source>
        <translation>
            <numerusform>…and %n more.</numerusform>
            <numerusform>…and %n more.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The AI agent asks to delete %n comment(s)</source>
        <translation>
            <numerusform>The AI agent asks to delete %n comment</numerusform>
            <numerusform>The AI agent asks to delete %n comments</numerusform>
        </translation>
    </message>
    <message>
        <source>Deleted comments can&apos;t be restored. Delete them only if you asked the agent to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n more went with their threads.</source>
        <translation>
            <numerusform>%n more went with its thread.</numerusform>
            <numerusform>%n more went with their threads.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them are not flagged as spam.</source>
        <translation>
            <numerusform>%n of them is not flagged as spam.</numerusform>
            <numerusform>%n of them are not flagged as spam.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them were written by you.</source>
        <translation>
            <numerusform>%n of them was written by you.</numerusform>
            <numerusform>%n of them were written by you.</numerusform>
        </translation>
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
    <name>ScanExport</name>
    <message>
        <source>Couldn&apos;t save. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 would be in the folder where Veltrane keeps its own files. Choose another folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is one of Veltrane&apos;s own history files. Choose another name or folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk is full. Free some space or choose another disk, then export again.</source>
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
        <source>History file error: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file is damaged, so history is off for this run: scans are not recorded. The file was left as it is: %1. To start a new history, quit the application and move the file elsewhere (keep it, so it can be recovered); a new one is made at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file or one beside it is a link (%1 leads to %2), and history is kept only in files of its own, so history is off and nothing is saved this run. Remove the link, then start the application again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file %1 was made by a newer version of Veltrane, so it is left as it is and history is off for this run: scans are not recorded. Update Veltrane to use this history again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be read because another program kept it locked: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be saved because its file stayed locked for more than 5 seconds (another copy of Veltrane or another program may be writing to it): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be saved because this application was still reading the same records: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be saved because its file or folder is read-only: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsTab</name>
    <message>
        <source>AI Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting &amp; rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the types of comments AI should find.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage collection limits and your keyword rules.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage the history stored on this computer and how long to keep it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage the service account that the AI check uses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needs your consent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 keywords</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History off · file unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 comments · %2 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account file unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>✓ Settings save automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
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
</context>
<context>
    <name>SpamPanel</name>
    <message>
        <source>Checks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results below are from &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The results below are from %n other posts, &quot;%1&quot; first.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The open post hasn&apos;t been checked here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To check it, tick its tile under the browser, untick the others and press the check button there.</source>
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
    <message>
        <source>it is a link to %1, not a file of its own</source>
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
