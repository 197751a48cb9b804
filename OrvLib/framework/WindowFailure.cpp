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

OrvModalScope::OrvModalScope(std::function<void()> end) : end_(std::move(end)) { Loops().push_back(this); }

OrvModalScope::~OrvModalScope() {
    if (open_) Loops().pop_back();
}

void OrvModalScope::Close() {
    if (open_) {
        Loops().pop_back();
        open_ = false;
    }
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void OrvRecordWindowFailure(std::exception_ptr failure) {
    if (Loops().empty()) {
        if (!unowned) unowned = failure;
        return;
    }
    OrvModalScope* loop = Loops().back();
    // The first failure is the cause; later ones are its consequences.
    if (loop->failure_) return;
    loop->failure_ = failure;
    if (loop->end_) loop->end_();
}

bool OrvModalFailurePending() { return !Loops().empty() && Loops().back()->Failed(); }

std::exception_ptr OrvTakeWindowFailure() { return std::exchange(unowned, nullptr); }
