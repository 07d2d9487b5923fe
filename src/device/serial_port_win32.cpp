// SerialPort over the Windows communications API: CreateFileA on "\\.\COMn", the DCB and
// COMMTIMEOUTS as found saved and put back, one byte per ReadFile, so that the timeouts bound
// every wait. A stop request is seen between reads (within one read timeout).
#include <windows.h>

#include "device/serial_port.h"

namespace tavrix {
namespace {

class Win32SerialPort final : public SerialPort {
 public:
  explicit Win32SerialPort(const Cancellation& cancellation) : cancellation_(cancellation) {}
  ~Win32SerialPort() override { Close(); }

  bool Open(const std::string& name) override {
    Close();
    handle_ = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
  }

  void SaveSettings() override {
    saved_dcb_ = DCB{};
    saved_dcb_.DCBlength = sizeof(DCB);
    has_saved_ = handle_ != INVALID_HANDLE_VALUE && ::GetCommState(handle_, &saved_dcb_) &&
                 ::GetCommTimeouts(handle_, &saved_timeouts_);
  }

  void RestoreSettings() override {
    if (!has_saved_) return;
    ::SetCommState(handle_, &saved_dcb_);
    ::SetCommTimeouts(handle_, &saved_timeouts_);
  }

  bool ApplyLineSettings() override {
    // Everything else zero: no flow control, DTR and RTS disabled, no parity check, no special
    // characters. Windows requires binary mode, and SetCommState refuses a DCB whose XON and
    // XOFF characters are equal, so they get their usual values (unused: XON/XOFF stays off).
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = kLineBaudRate;
    dcb.fBinary = TRUE;
    dcb.ByteSize = 8;
    dcb.Parity = EVENPARITY;
    dcb.StopBits = TWOSTOPBITS;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return handle_ != INVALID_HANDLE_VALUE && ::SetCommState(handle_, &dcb);
  }

  void SetTimeouts(const CommTimeouts& t) override {
    COMMTIMEOUTS timeouts{t.read_interval, t.read_total_multiplier, t.read_total_constant,
                          t.write_total_multiplier, t.write_total_constant};
    if (handle_ != INVALID_HANDLE_VALUE) ::SetCommTimeouts(handle_, &timeouts);
  }

  void Purge() override {
    if (handle_ != INVALID_HANDLE_VALUE) {
      ::PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    }
  }

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    if (handle_ == INVALID_HANDLE_VALUE || buffer.empty() || cancellation_.IsCancelled()) {
      return 0;
    }
    DWORD got = 0;
    if (!::ReadFile(handle_, buffer.data(), 1, &got, nullptr)) return 0;
    return got;
  }

  bool Write(std::uint8_t byte) override {
    DWORD put = 0;
    return handle_ != INVALID_HANDLE_VALUE && !cancellation_.IsCancelled() &&
           ::WriteFile(handle_, &byte, 1, &put, nullptr) && put == 1;
  }

  void Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    has_saved_ = false;
  }

 private:
  const Cancellation& cancellation_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DCB saved_dcb_{};
  COMMTIMEOUTS saved_timeouts_{};
  bool has_saved_ = false;
};

}  // namespace

std::unique_ptr<SerialPort> MakeSerialPort(const Cancellation& cancellation) {
  return std::make_unique<Win32SerialPort>(cancellation);
}

}  // namespace tavrix
