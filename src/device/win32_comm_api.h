// The Windows communications calls that the serial port makes, one virtual function each with
// the system's own name and arguments, so that a test can stand in for the system and record
// every call and every DCB and COMMTIMEOUTS it is given. SystemCommApi() makes the real calls.
#pragma once

#include <windows.h>

namespace tavrix {

class Win32CommApi {
 public:
  virtual ~Win32CommApi() = default;

  // The arguments of CreateFileA that can vary; no security attributes, no template.
  virtual HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, DWORD disposition,
                             DWORD flags) = 0;
  virtual BOOL GetCommState(HANDLE port, DCB* dcb) = 0;
  virtual BOOL SetCommState(HANDLE port, DCB* dcb) = 0;
  virtual BOOL GetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts) = 0;
  virtual BOOL SetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts) = 0;
  virtual BOOL PurgeComm(HANDLE port, DWORD flags) = 0;
  // Synchronous: no OVERLAPPED.
  virtual BOOL ReadFile(HANDLE port, void* buffer, DWORD size, DWORD* got) = 0;
  virtual BOOL WriteFile(HANDLE port, const void* buffer, DWORD size, DWORD* put) = 0;
  virtual BOOL CloseHandle(HANDLE port) = 0;
};

Win32CommApi& SystemCommApi();

}  // namespace tavrix
