// SerialPort over the Windows communications API: CreateFileA on "\\.\COMn", the DCB and
// COMMTIMEOUTS as found saved and put back, one byte per ReadFile, so that the timeouts bound
// every wait. A stop request is seen between reads (within one read timeout).
#include "device/serial_port_win32.h"

namespace tavrix {
namespace {

// Abort what is under way and also discard what the driver holds: aborting alone would leave
// bytes received before the purge to be taken as the answer or as the image's first bytes.
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

DCB LineSettings() {
  // Everything else zero: no flow control, DTR and RTS disabled, no parity check, no special
  // characters. Windows supports binary mode only, and SetCommState refuses a DCB whose XON and
  // XOFF characters are equal, so those get their usual values (unused: XON/XOFF stays off).
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = kLineBaudRate;
  dcb.fBinary = TRUE;
  dcb.ByteSize = 8;
  dcb.Parity = EVENPARITY;
  dcb.StopBits = TWOSTOPBITS;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  return dcb;
}

class Win32SerialPort final : public SerialPort {
 public:
  Win32SerialPort(const Cancellation& cancellation, Win32CommApi& api)
      : cancellation_(cancellation), api_(api) {}
  ~Win32SerialPort() override { Close(); }

  bool Open(const std::string& name) override {
    Close();
    handle_ = api_.CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, 0);
    return IsOpen();
  }

  void SaveSettings() override {
    saved_dcb_ = DCB{};
    saved_dcb_.DCBlength = sizeof(DCB);
    has_saved_ = IsOpen() && api_.GetCommState(handle_, &saved_dcb_) &&
                 api_.GetCommTimeouts(handle_, &saved_timeouts_);
  }

  void RestoreSettings() override {
    if (!IsOpen() || !has_saved_) return;
    api_.SetCommState(handle_, &saved_dcb_);
    api_.SetCommTimeouts(handle_, &saved_timeouts_);
  }

  bool ApplyLineSettings() override {
    DCB dcb = LineSettings();
    return IsOpen() && api_.SetCommState(handle_, &dcb);
  }

  void SetTimeouts(const CommTimeouts& t) override {
    COMMTIMEOUTS timeouts{t.read_interval, t.read_total_multiplier, t.read_total_constant,
                          t.write_total_multiplier, t.write_total_constant};
    if (IsOpen()) api_.SetCommTimeouts(handle_, &timeouts);
  }

  void Purge() override {
    if (IsOpen()) api_.PurgeComm(handle_, kPurgeAll);
  }

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    if (!IsOpen() || buffer.empty() || cancellation_.IsCancelled()) return 0;
    DWORD got = 0;
    if (!api_.ReadFile(handle_, buffer.data(), 1, &got)) return 0;
    return got;
  }

  bool Write(std::uint8_t byte) override {
    DWORD put = 0;
    return IsOpen() && !cancellation_.IsCancelled() && api_.WriteFile(handle_, &byte, 1, &put) &&
           put == 1;
  }

  void Close() override {
    if (!IsOpen()) return;
    api_.CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    has_saved_ = false;
  }

 private:
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  const Cancellation& cancellation_;
  Win32CommApi& api_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DCB saved_dcb_{};
  COMMTIMEOUTS saved_timeouts_{};
  bool has_saved_ = false;
};

}  // namespace

std::unique_ptr<SerialPort> MakeWin32SerialPort(const Cancellation& cancellation,
                                                Win32CommApi& api) {
  return std::make_unique<Win32SerialPort>(cancellation, api);
}

std::unique_ptr<SerialPort> MakeSerialPort(const Cancellation& cancellation) {
  return MakeWin32SerialPort(cancellation, SystemCommApi());
}

}  // namespace tavrix
