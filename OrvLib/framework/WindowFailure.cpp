#include "OrvLib/framework/WindowFailure.h"

#include <utility>
#include <vector>

namespace {

std::vector<OrvModalScope*>& Loops() {
    static std::vector<OrvModalScope*> loops;
    return loops;
}

std::exception_ptr unowned;

}  // namespace

OrvModalScope::OrvModalScope(std::function<void()> initialEnd) : end(std::move(initialEnd)) {
    Loops().push_back(this);
}

OrvModalScope::~OrvModalScope() {
    if (open) Loops().pop_back();
}

void OrvModalScope::Close() {
    if (open) {
        Loops().pop_back();
        open = false;
    }
    if (failure) std::rethrow_exception(std::exchange(failure, nullptr));
}

void OrvRecordWindowFailure(std::exception_ptr failure) {
    if (Loops().empty()) {
        if (!unowned) unowned = failure;
        return;
    }
    OrvModalScope* loop = Loops().back();
    // The first failure is the cause; later ones are its consequences.
    if (loop->failure) return;
    loop->failure = failure;
    if (loop->end) loop->end();
}

bool OrvModalFailurePending() { return !Loops().empty() && Loops().back()->Failed(); }

std::exception_ptr OrvTakeWindowFailure() { return std::exchange(unowned, nullptr); }
