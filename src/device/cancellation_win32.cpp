// Cancellation on Windows: a manual-reset event that the waits of the job watch.
#include <windows.h>

#include "core/error.h"
#include "device/cancellation.h"

namespace tavrix {

Cancellation::Cancellation() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  if (event_ == nullptr) throw Error("Не удалось создать событие остановки");
}

Cancellation::~Cancellation() { ::CloseHandle(event_); }

void Cancellation::Cancel() {
  cancelled_.store(true);
  ::SetEvent(event_);
}

bool Cancellation::WaitFor(std::chrono::milliseconds duration) const {
  if (IsCancelled()) return true;
  ::WaitForSingleObject(event_, static_cast<DWORD>(duration.count()));
  return IsCancelled();
}

}  // namespace tavrix
