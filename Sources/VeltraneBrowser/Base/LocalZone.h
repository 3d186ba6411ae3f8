#pragma once
// The local time zone named to the C library for the whole process. Without TZ, every conversion
// of a time to local time looks at the system's zone file again (a file lookup each: a history's
// thousands of distinct times cost milliseconds); with the zone's name, the rules are read once.
// A change of the system's zone while the program runs shows at its next start.
//
//   LocalZone::pin();   // first thing in main(), before any thread starts

#include <QByteArray>

class LocalZone {
public:
    LocalZone() = delete;
    // Sets TZ to the system zone's name when TZ is unset and the name is known; returns what TZ
    // holds afterwards (empty when unset).
    static QByteArray pin();
};
