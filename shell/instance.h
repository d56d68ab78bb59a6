// One copy per user. The copy that runs holds a lock file (flock) in the temporary folder for as
// long as it lives, through loading, running and its final save, and listens on a local socket
// beside it. A copy started meanwhile asks the running one to come to the front; a copy that is
// still loading or busy saving cannot answer, so the new one waits until it can either raise it or
// take the lock itself. A lock left by a killed copy is released by the system, so the name is
// never taken from a live copy.
#pragma once

class QString;

// The name under which the running copy listens for a second one. Empty means the default, named
// for Lumora and the user; tests set their own.
extern QString InstanceName;
QString DefaultInstanceName();
// The lock file beside the socket.
QString InstanceLockPath();

// How long a new copy waits for a busy one before it gives up with a message (15 s); tests
// shorten it.
extern int InstanceWaitMs;

// Returns true when this copy now holds the name and serves it; false when a running copy was
// asked to come to the front, or stayed busy past the wait (the learner has been told): the
// process then ends with 1.
bool ClaimInstance();
// Stops answering second copies and lets the lock go. Safe to call more than once.
void ReleaseInstance();
