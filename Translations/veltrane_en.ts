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
</TS>
