#include "main/decoder_port.h"

#include <windows.h>

#include <cstring>

namespace zd {

namespace {

HANDLE DecoderPortHandle = INVALID_HANDLE_VALUE;

bool Configure(HANDLE port) {
  SetupComm(port, 4096, 4096);

  COMMTIMEOUTS timeouts = {};
  timeouts.ReadIntervalTimeout = 1;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 1;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 100;
  if (!SetCommTimeouts(port, &timeouts)) return false;

  DCB line = {};
  line.DCBlength = sizeof line;
  line.BaudRate = CBR_9600;
  line.fBinary = TRUE;
  line.fParity = FALSE;
  line.fOutxCtsFlow = FALSE;
  line.fOutxDsrFlow = FALSE;
  line.fDtrControl = DTR_CONTROL_ENABLE;
  line.fDsrSensitivity = FALSE;
  line.fTXContinueOnXoff = FALSE;
  line.fOutX = FALSE;
  line.fInX = FALSE;
  line.fErrorChar = FALSE;
  line.fNull = FALSE;
  line.fRtsControl = RTS_CONTROL_ENABLE;
  line.fAbortOnError = FALSE;
  line.XonLim = 256;
  line.XoffLim = 256;
  line.ByteSize = 8;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  line.XonChar = 0x11;
  line.XoffChar = 0x13;
  line.ErrorChar = 0x3F;
  line.EofChar = 0x1A;
  line.EvtChar = 0x10;
  return SetCommState(port, &line) != 0;
}

}  // namespace

int OpenDecoderPort(const char* portName) {
  // A reconnection opens again while the port may still be open: the old handle would be lost,
  // and since the port is opened exclusively, every later attempt would fail.
  CloseDecoderPort();

  const std::size_t length = portName ? strnlen(portName, kMaxPortNameLength + 1) : 0;
  if (length == 0 || length > kMaxPortNameLength) return 0;
  char path[16] = "\\\\.\\";
  std::memcpy(path + 4, portName, length);
  path[4 + length] = '\0';

  HANDLE port = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_SYSTEM, nullptr);
  if (port == INVALID_HANDLE_VALUE) return 0;
  if (!Configure(port)) {
    CloseHandle(port);
    return 0;
  }
  PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  EscapeCommFunction(port, SETDTR);
  DecoderPortHandle = port;
  return 1;
}

int CloseDecoderPort() {
  // Forgotten once closed, so that closing again cannot close a handle reused since.
  if (DecoderPortHandle != INVALID_HANDLE_VALUE) {
    CloseHandle(DecoderPortHandle);
    DecoderPortHandle = INVALID_HANDLE_VALUE;
  }
  return 1;
}

int ReadDecoderPort(uint8_t* buffer, uint32_t count, uint32_t& bytesRead) {
  bytesRead = 0;
  // The invalid handle value is also the current process's pseudo-handle: never pass it on.
  if (DecoderPortHandle == INVALID_HANDLE_VALUE) return 0;
  DWORD n = 0;
  BOOL ok = ReadFile(DecoderPortHandle, buffer, count, &n, nullptr);
  bytesRead = ok ? n : 0;
  return ok;
}

int WriteDecoderPort(const uint8_t* bytes, uint32_t count, uint32_t& bytesWritten) {
  bytesWritten = 0;
  if (DecoderPortHandle == INVALID_HANDLE_VALUE) return 0;
  DWORD n = 0;
  BOOL ok = WriteFile(DecoderPortHandle, bytes, count, &n, nullptr);
  bytesWritten = n;
  return ok;
}

int64_t CounterNowMs() {
  LARGE_INTEGER frequency, count;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0 ||
      !QueryPerformanceCounter(&count)) {
    return static_cast<int64_t>(GetTickCount64());
  }
  return CounterMilliseconds(count.QuadPart, frequency.QuadPart);
}

}  // namespace zd
