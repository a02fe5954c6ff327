#include "web/ftp_transport.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <memory>
#include <string>

#include "web/web_addresses.h"

namespace zd {

namespace {

// One operation, shared by the caller and the thread that runs it: whichever lets go last frees
// it, so a caller that gave up leaves nothing dangling.
struct FtpJob {
  bool upload = false;
  FtpLocation location;
  FtpAccount account;
  std::string bytes;
  DWORD timeoutMs = kFtpTotalTimeoutMs;
  FtpOutcome outcome = FtpOutcome::Failed;
  HANDLE done = nullptr;
  ~FtpJob() {
    if (done) CloseHandle(done);
  }
};

class Handle {
 public:
  explicit Handle(HINTERNET h) : h_(h) {}
  ~Handle() {
    if (h_) InternetCloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // Closes now; true when the close succeeded (for a file written, that the transfer ended well).
  bool close() {
    const bool closed = h_ && InternetCloseHandle(h_);
    h_ = nullptr;
    return closed;
  }

 private:
  HINTERNET h_;
};

void SetTimeout(HINTERNET h, DWORD option, DWORD ms) {
  InternetSetOptionA(h, option, &ms, sizeof ms);
}

// Whether the path exists: a folder (ending in "/") is entered, a file looked up; the login
// folder itself always exists.
bool PathExists(HINTERNET session, const std::string& path) {
  if (path.empty()) return true;
  if (path.back() == '/') return FtpSetCurrentDirectoryA(session, path.c_str()) != FALSE;
  WIN32_FIND_DATAA found;
  Handle find(FtpFindFirstFileA(session, path.c_str(), &found, INTERNET_FLAG_RELOAD, 0));
  return static_cast<bool>(find);
}

bool Store(HINTERNET session, const std::string& path, const std::string& bytes) {
  Handle file(FtpOpenFileA(session, path.c_str(), GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 0));
  if (!file) return false;
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - sent, 65536));
    DWORD written = 0;
    if (!InternetWriteFile(file.get(), bytes.data() + sent, chunk, &written) || written == 0)
      return false;
    sent += written;
  }
  return file.close();
}

FtpOutcome Run(FtpJob& job) {
  Handle net(InternetOpenA("ZentrikDizavirov", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!net) return FtpOutcome::LibraryFailed;
  SetTimeout(net.get(), INTERNET_OPTION_CONNECT_TIMEOUT,
             std::min<DWORD>(job.timeoutMs, kFtpConnectTimeoutMs));
  for (DWORD option : {INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
    SetTimeout(net.get(), option, job.timeoutMs);
  }
  Handle session(InternetConnectA(net.get(), job.location.host.c_str(),
                                  static_cast<INTERNET_PORT>(job.location.port),
                                  job.account.user.c_str(), job.account.password.c_str(),
                                  INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0));
  if (!session) return FtpOutcome::Failed;
  const bool ok = job.upload ? Store(session.get(), job.location.path, job.bytes)
                             : PathExists(session.get(), job.location.path);
  return ok ? FtpOutcome::Done : FtpOutcome::Failed;
}

DWORD WINAPI JobThread(LPVOID parameter) {
  std::unique_ptr<std::shared_ptr<FtpJob>> held(static_cast<std::shared_ptr<FtpJob>*>(parameter));
  FtpJob& job = **held;
  job.outcome = Run(job);
  SetEvent(job.done);
  return 0;
}

FtpOutcome RunWithTimeout(const std::shared_ptr<FtpJob>& job) {
  job->done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!job->done) return FtpOutcome::LibraryFailed;
  auto* held = new std::shared_ptr<FtpJob>(job);
  HANDLE thread = CreateThread(nullptr, 0, JobThread, held, 0, nullptr);
  if (!thread) {
    delete held;
    return FtpOutcome::LibraryFailed;
  }
  CloseHandle(thread);
  if (WaitForSingleObject(job->done, job->timeoutMs) != WAIT_OBJECT_0) return FtpOutcome::Failed;
  return job->outcome;
}

std::shared_ptr<FtpJob> MakeJob(std::string_view address, std::string_view account,
                                int32_t timeoutMs) {
  auto job = std::make_shared<FtpJob>();
  if (!SplitFtpAddress(address, job->location)) return nullptr;
  job->account = SplitAccount(account);
  job->timeoutMs = static_cast<DWORD>(std::clamp<int32_t>(timeoutMs, 1, kFtpTotalTimeoutMs));
  return job;
}

}  // namespace

FtpOutcome WinInetTransport::probe(std::string_view address, std::string_view account,
                                   int32_t timeoutMs) {
  const std::shared_ptr<FtpJob> job = MakeJob(address, account, timeoutMs);
  // No site set: not connected, at once.
  if (!job) return FtpOutcome::Failed;
  return RunWithTimeout(job);
}

FtpOutcome WinInetTransport::upload(std::string_view address, std::string_view account,
                                    std::string_view bytes) {
  const std::shared_ptr<FtpJob> job = MakeJob(address, account, kFtpTotalTimeoutMs);
  if (!job) return FtpOutcome::Failed;
  job->upload = true;
  job->bytes = std::string(bytes);
  return RunWithTimeout(job);
}

}  // namespace zd
