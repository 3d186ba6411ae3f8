#pragma once
// What the owner's Stop asked of the running work: the queue of posts to end after its current
// post, the AI pass to send no more batches, and, once the grace period passed, the scan to be
// given up. Every scan takes the next serial number, so that a give-up meant for one scan never
// reaches the next.

#include <QtGlobal>

struct StopRequest {
    bool queue = false;
    bool ai = false;
    bool abandon = false;
    quint64 scanSerial = 0;
};
