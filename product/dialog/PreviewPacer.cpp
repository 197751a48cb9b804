#include "product/dialog/PreviewPacer.h"

PreviewPacer::Action PreviewPacer::Full(bool arm) {
    Action a;
    a.render = Render::Full;
    a.armTimer = arm;
    a.stopTimer = !arm && timerRunning;
    timerRunning = arm;
    stale = false;
    return a;
}

PreviewPacer::Action PreviewPacer::Input(PreviewInput input, bool changed) {
    Action a;
    switch (input) {
        case PreviewInput::Held:
            if (!changed) return a;
            a.render = Render::Quick;
            stale = true;
            return a;
        case PreviewInput::Step:
            if (!changed) return a;
            if (!timerRunning) return Full(true);
            a.render = Render::Quick;
            a.armTimer = true;
            stale = true;
            return a;
        case PreviewInput::Settle:
            if (changed || stale) return Full(false);
            a.stopTimer = timerRunning;
            timerRunning = false;
            return a;
    }
    return a;
}

PreviewPacer::Action PreviewPacer::TimerEnded() {
    if (stale) return Full(false);
    Action a;
    a.stopTimer = timerRunning;
    timerRunning = false;
    return a;
}
