// The Cancellation of the download fuzz target: never raised, and its waits return at once, so
// that the job's settling pauses do not cost half a second of every input.
#include "device/cancellation.h"

namespace tavrix {

Cancellation::Cancellation() = default;
Cancellation::~Cancellation() = default;
void Cancellation::Cancel() { cancelled_ = true; }
bool Cancellation::WaitFor(std::chrono::milliseconds) const { return cancelled_.load(); }

}  // namespace tavrix
