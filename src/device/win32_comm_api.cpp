#include "device/win32_comm_api.h"

namespace tavrix {
namespace {

class SystemApi final : public Win32CommApi {
 public:
  HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags) override {
    return ::CreateFileA(name, access, share, nullptr, disposition, flags, nullptr);
  }
  BOOL GetCommState(HANDLE port, DCB* dcb) override { return ::GetCommState(port, dcb); }
  BOOL SetCommState(HANDLE port, DCB* dcb) override { return ::SetCommState(port, dcb); }
  BOOL GetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts) override {
    return ::GetCommTimeouts(port, timeouts);
  }
  BOOL SetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts) override {
    return ::SetCommTimeouts(port, timeouts);
  }
  BOOL PurgeComm(HANDLE port, DWORD flags) override { return ::PurgeComm(port, flags); }
  BOOL ReadFile(HANDLE port, void* buffer, DWORD size, DWORD* got) override {
    return ::ReadFile(port, buffer, size, got, nullptr);
  }
  BOOL WriteFile(HANDLE port, const void* buffer, DWORD size, DWORD* put) override {
    return ::WriteFile(port, buffer, size, put, nullptr);
  }
  BOOL CloseHandle(HANDLE port) override { return ::CloseHandle(port); }
};

}  // namespace

Win32CommApi& SystemCommApi() {
  static SystemApi api;
  return api;
}

}  // namespace tavrix
