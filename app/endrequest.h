#pragma once
// Asking the application to end: the request is recorded, the handler under way finishes, and
// the program leaves when control returns to the message loop.

namespace app {

/// Records the request. When a message loop runs, it is ended as soon as control returns to it;
/// before the loop runs, the start-up sequence looks at EndRequested() between its steps.
void RequestEnd();
bool EndRequested();
/// Forgets a request (tests, which run several start-ups in one process).
void ClearEndRequest();

} // namespace app
