#include "product/dialog/PreviewPacer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Inputs as letters: h held, s step, e settle (upper case: the settings changed), t the
// settle timer ran out. The renders (q quick, f full), then the timer's state.
std::string Play(const std::string& inputs) {
    PreviewPacer pacer;
    std::string out;
    for (char c : inputs) {
        const PreviewInput input = (c | 32) == 'h'   ? PreviewInput::Held
                                   : (c | 32) == 's' ? PreviewInput::Step
                                                     : PreviewInput::Settle;
        const PreviewPacer::Action a = c == 't' ? pacer.TimerEnded() : pacer.Input(input, c < 'a');
        if (a.render != PreviewPacer::Render::None)
            out += a.render == PreviewPacer::Render::Quick ? 'q' : 'f';
    }
    return out + (pacer.TimerRunning() ? "+" : "-");
}

TEST(PreviewPacer, EveryChangeEndsInOneFullRenderAndNoneTwice) {
    const char* const cases[][3] = {
        {"S", "f+", "a lone wheel notch renders in full at once"},
        {"St", "f-", "and its timer finds nothing left"},
        {"Se", "f-", "an arrow key: the line code, then the end code on release"},
        {"SSSSt", "fqqqf-", "a burst renders quick while it lasts, then once in full"},
        {"SSSe", "fqqf-", "key repeats end in full when the key goes up"},
        {"hHHHEe", "qqqf-", "a drag: quick while held, full once at the release"},
        {"hHHee", "qqf-", "a release where the last move already wrote the value"},
        {"E", "f-", "a check box"},
        {"es", "-", "nothing changed, nothing rendered"},
        {"SStSt", "fqff-", "a step after the burst settled renders in full again"},
        {"SHe", "fqf-", "a drag started inside a burst still ends in full"},
    };
    for (const auto& c : cases) EXPECT_EQ(Play(c[0]), c[1]) << c[0] << ": " << c[2];
}

}  // namespace
