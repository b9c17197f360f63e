#pragma once
// Runs a piece of a test on a thread of its own that has given up the powers to
// pass over file permissions, so that read-only files and directories stop it
// as they stop an ordinary user, even when the tests run as the superuser.

#include <functional>

namespace testsupport {

// Runs `body` on a new thread without the permission-overriding capabilities
// and waits for it; a thread that cannot drop them runs the body anyway.
void runWithoutFileOverrides(const std::function<void()>& body);

}  // namespace testsupport
