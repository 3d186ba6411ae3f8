#pragma once
// Common setup for every test program: headless platform, no web sandbox (CI runs as root),
// and a throwaway home for settings and data so that no test touches the owner's files.

#include <QTemporaryDir>
#include <QtGlobal>

namespace vt::test {

// Points XDG config/data/cache at a fresh temporary folder for the whole process.
void isolateUserFolders();

}   // namespace vt::test
