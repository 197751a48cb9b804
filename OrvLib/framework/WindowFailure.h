// The exception firewall of every window and dialog procedure. A failure caught inside a
// procedure must not cross the system's code: it is recorded here, the innermost modal loop
// is asked to end, and the loop's owner raises it again once the loop has returned (so the
// plug-in's entry turns it into a host error code with the host window enabled again).
#pragma once

#include <exception>
#include <functional>

// One running modal loop (a dialog of ours, a common dialog). Nested loops stack; a failure
// goes to the innermost. End is called at most once, with the loop still running.
class OrvModalScope {
public:
    explicit OrvModalScope(std::function<void()> end);
    ~OrvModalScope();
    OrvModalScope(const OrvModalScope&) = delete;
    OrvModalScope& operator=(const OrvModalScope&) = delete;

    bool Failed() const { return failure != nullptr; }
    // Leaves the stack and raises the recorded failure, if any.
    void Close();

private:
    friend void OrvRecordWindowFailure(std::exception_ptr failure);
    std::function<void()> end;
    std::exception_ptr failure;
    bool open = true;
};

// Called from the catch of a procedure. Outside any modal loop the first failure is kept
// for OrvTakeWindowFailure.
void OrvRecordWindowFailure(std::exception_ptr failure);
// True when the innermost modal loop has a failure waiting.
bool OrvModalFailurePending();
// The failure recorded outside any modal loop (cleared), or null.
std::exception_ptr OrvTakeWindowFailure();
