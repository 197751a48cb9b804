// What the headless platform records, for tests.
#pragma once

namespace OrvHeadless {

// How often a failure asked for the host window to be enabled again.
int EnableHostWindowCalls();

}  // namespace OrvHeadless
