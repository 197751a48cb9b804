// When the result preview renders, and in which quality, so that it always ends as the
// picture OK makes. Quick renders are for input that is still going on: a held thumb or
// needle, and a burst of wheel steps or key repeats. A burst is any step that comes while
// the settle timer of the step before is still running; it renders quick, and the timer's
// end renders once in full. A lone step renders in full at once. Nothing renders twice for
// one change: a settle with nothing changed since the last full render renders nothing.
#pragma once

#include <cstdint>

enum class PreviewInput {
    Held,    // a thumb or needle moved while the button is down
    Step,    // a wheel notch, a key, a spin click, a typed value
    Settle,  // a release, a key up, a check box: the change is over
};

class PreviewPacer {
public:
    static constexpr uint32_t kSettleMs = 250;

    enum class Render { None, Quick, Full };
    struct Action {
        Render render = Render::None;
        bool armTimer = false;   // (re)start the settle timer
        bool stopTimer = false;  // the settle timer is no longer wanted
        bool operator==(const Action& o) const {
            return render == o.render && armTimer == o.armTimer && stopTimer == o.stopTimer;
        }
    };

    // `changed`: the input changed the settings.
    Action Input(PreviewInput input, bool changed);
    // The settle timer ran out.
    Action TimerEnded();

    bool TimerRunning() const { return timerRunning; }
    bool Stale() const { return stale; }

private:
    Action Full(bool arm);

    bool timerRunning = false;
    bool stale = false;  // the last render was quick
};
