// The host's side of the plug-in's effect dialog: while a filter call runs, the dialog of
// the calling thread is answered from outside, as a user would answer it, by pressing its
// OK or Cancel button once it is up; or it is left to the person at the screen. Only the
// Windows plug-in shows a dialog; elsewhere there is nothing to answer.
#pragma once

#include <memory>

namespace VarnHost {

enum class DialogAnswer { Ok, Cancel, Person };

class DialogResponder {
public:
    static bool DialogsShown();
    explicit DialogResponder(DialogAnswer answer);
    ~DialogResponder();
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;

private:
    struct Watch;
    std::unique_ptr<Watch> watch;
};

}  // namespace VarnHost
