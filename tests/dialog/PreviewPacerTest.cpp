#include "product/dialog/PreviewPacer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One input sequence as letters: h held, s step, e settle (upper case: the settings
// changed), t the settle timer ran out. Renders as q and f; the last letter is the
// pacer's timer state after the sequence.
std::string Play(const std::string& inputs) {
    PreviewPacer pacer;
    std::string renders;
    for (char c : inputs) {
        PreviewPacer::Action a;
        switch (c) {
            case 'h':
            case 'H':
                a = pacer.Input(PreviewInput::Held, c == 'H');
                break;
            case 's':
            case 'S':
                a = pacer.Input(PreviewInput::Step, c == 'S');
                break;
            case 'e':
            case 'E':
                a = pacer.Input(PreviewInput::Settle, c == 'E');
                break;
            case 't':
                if (!pacer.TimerRunning()) return "timer ended while stopped";
                a = pacer.TimerEnded();
                break;
        }
        if (a.armTimer && a.stopTimer) return "armed and stopped at once";
        if (a.render != PreviewPacer::Render::None)
            renders += a.render == PreviewPacer::Render::Quick ? 'q' : 'f';
    }
    return renders + (pacer.TimerRunning() ? "+" : "-");
}

TEST(PreviewPacer, EveryChangeEndsInOneFullRenderAndNoneTwice) {
    const struct {
        const char* inputs;
        const char* renders;
        const char* what;
    } cases[] = {
        {"S", "f+", "a lone wheel notch renders in full at once"},
        {"St", "f-", "and its timer finds nothing left"},
        {"Se", "f-", "an arrow key: the line code, then the end code on release"},
        {"SSSSt", "fqqqf-", "a burst renders quick while it lasts, then once in full"},
        {"SSSe", "fqqf-", "key repeats end in full when the key goes up, the timer stopped"},
        {"hHHHEe", "qqqf-", "a drag: quick while held, full once at the release"},
        {"hHHee", "qqf-", "a release where the last move already wrote the value"},
        {"E", "f-", "a check box or a typed seed"},
        {"e", "-", "a settle with nothing changed renders nothing"},
        {"s", "-", "a step at the end of the range renders nothing"},
        {"SStSt", "fqff-", "a step after the burst settled renders in full again"},
        {"SHe", "fqf-", "a drag started inside a burst still ends in full"},
    };
    for (const auto& c : cases) EXPECT_EQ(Play(c.inputs), c.renders) << c.inputs << ": " << c.what;
}

}  // namespace
