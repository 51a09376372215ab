#include "link/GensioBackend.h"

#include <gensio/gensio.h>
#include <gensio/gensio_os_funcs_public.h>
#include <gensio/sergensio.h>

#include <QDeadlineTimer>
#include <algorithm>
#include <csignal>
#include <cstdarg>
#include <cstdio>

#include "link/NetworkAddress.h"
#include "link/Trace.h"

namespace vrx {

namespace {

// A server that takes the connection but never completes it (a host that drops the packets)
// is given up after this long.
constexpr int kConnectMs = 5000;
// Control requests (speed, framing, modem lines) are answered within one round trip; a server
// that does not answer in this time ignores them.
constexpr int kAnswerMs = 1000;
// Writes have no time-out of their own; this bound only keeps a stalled network from hanging
// the program forever, as the serial device's drain bound does.
constexpr int kWriteMs = 30000;
constexpr int kCloseMs = 1000;
// While a write waits for room, the events run in steps this long.
constexpr int kWriteStepMs = 10;
constexpr int kPollRounds = 8;

QString ErrorText(int error) {
  switch (error) {
    case GE_UNKNOWN_NAME_ERROR:
    case GE_NAME_ERROR:
    case GE_NAME_SERVER_FAILURE:
    case GE_NAME_INVALID:
    case GE_NAME_NET_NOT_UP:
      return QStringLiteral("узел не найден");
    case GE_CONNREFUSE:
      return QStringLiteral("соединение отвергнуто");
    case GE_HOSTDOWN:
      return QStringLiteral("узел недоступен");
    case GE_TIMEDOUT:
      return QStringLiteral("сервер не отвечает");
    case GE_NOTSUP:
      return QStringLiteral("сервер не поддерживает управление COM-портом (RFC 2217)");
    // The system refused the connection for a reason the library does not name (a broadcast
    // address, say); the library's own text only points to logs it does not write.
    case GE_OSERR:
      return QStringLiteral("система отказала в соединении");
    case GE_REMCLOSE:
    case GE_LOCALCLOSED:
    case GE_NOTREADY:
    case GE_COMMERR:
    case GE_IOERR:
      return QStringLiteral("соединение разорвано");
    default:
      return QStringLiteral("ошибка сети: %1").arg(QString::fromUtf8(gensio_err_to_str(error)));
  }
}

// The library's connection string: telnet with COM-port control over TCP, or TCP alone. Small
// requests and echoes go out at once (no Nagle delay), so the exchange adds only the network's
// own delay.
QByteArray ConnectionSpec(const NetworkAddress& address) {
  const QString tcp = QStringLiteral("tcp(nodelay),%1,%2").arg(address.host).arg(address.port);
  return (address.kind == NetworkAddress::Kind::kRfc2217 ? QStringLiteral("telnet(rfc2217),") + tcp
                                                         : tcp)
      .toUtf8();
}

void LogToTrace(gensio_os_funcs*, gensio_log_levels, const char* log, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, log, args);
  qCDebug(lcLink) << "gensio:" << text;
}

// One set of the library's operating-system functions for the whole run: the port is used
// from one thread only, so no wake-up signal is needed.
gensio_os_funcs* OsFuncs() {
  static gensio_os_funcs* const os = [] {
    gensio_os_funcs* funcs = nullptr;
    if (gensio_default_os_hnd(0, &funcs) != 0)
      return static_cast<gensio_os_funcs*>(nullptr);
    gensio_os_funcs_set_vlog(funcs, &LogToTrace);
    return funcs;
  }();
  return os;
}

// Writing to a connection the server has closed raises SIGPIPE, which would end the program;
// while the library works, the signal is blocked in this thread and one raised meanwhile is
// taken before the mask is restored.
class SigpipeBlock {
 public:
  SigpipeBlock() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_, &saved_);
  }
  ~SigpipeBlock() {
    sigset_t pending;
    sigpending(&pending);
    if (!sigismember(&saved_, SIGPIPE) && sigismember(&pending, SIGPIPE)) {
      const timespec now{0, 0};
      sigtimedwait(&pipe_, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
  }
  SigpipeBlock(const SigpipeBlock&) = delete;
  SigpipeBlock& operator=(const SigpipeBlock&) = delete;

 private:
  sigset_t pipe_;
  sigset_t saved_;
};

}  // namespace

// The library's callbacks, run inside the backend's own calls.
struct GensioBackend::Events {
  static int Event(gensio*, void* user, int event, int error, unsigned char* buffer,
                   gensiods* length, const char* const*) {
    auto* self = static_cast<GensioBackend*>(user);
    switch (event) {
      case GENSIO_EVENT_READ:
        if (error != 0) {
          self->Break(error);
        } else {
          self->received_.insert(self->received_.end(), buffer, buffer + *length);
        }
        return 0;
      case GENSIO_EVENT_SER_MODEMSTATE:
        self->dsr_ =
            (*reinterpret_cast<const unsigned int*>(buffer) & SERGENSIO_MODEMSTATE_DSR) != 0;
        return 0;
      default:
        return GE_NOTSUP;
    }
  }
  static void Opened(gensio*, int error, void* user) {
    auto* self = static_cast<GensioBackend*>(user);
    self->openError_ = error;
    self->opening_ = false;
  }
  static void Closed(gensio*, void* user) { static_cast<GensioBackend*>(user)->closing_ = false; }
  static void Answered(sergensio* sio, int error, unsigned int, void* request) {
    auto* self = static_cast<GensioBackend*>(sergensio_get_user_data(sio));
    self->answers_[reinterpret_cast<uintptr_t>(request)] = error;
  }
};

GensioBackend::~GensioBackend() {
  Close();
}

template <typename Done>
bool GensioBackend::ServiceUntil(Done done, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    const qint64 left = deadline.remainingTime();
    if (left <= 0)
      return false;
    gensio_time wait{left / 1000, static_cast<int32_t>(left % 1000 * 1000000)};
    gensio_os_funcs_service(OsFuncs(), &wait);
  }
  return true;
}

void GensioBackend::Poll() {
  // An event may hand its callback on to a later round (a closed connection is noticed by the
  // socket first, then reported): rounds run while they find work.
  for (int round = 0; round < kPollRounds; ++round) {
    gensio_time now{0, 0};
    if (gensio_os_funcs_service(OsFuncs(), &now) != 0)
      break;
  }
}

int GensioBackend::Connect(const QByteArray& gensioAddress) {
  if (OsFuncs() == nullptr)
    return GE_NOMEM;
  int error = str_to_gensio(gensioAddress.constData(), OsFuncs(), &Events::Event, this, &io_);
  if (error != 0) {
    io_ = nullptr;
    return error;
  }
  opening_ = true;
  openError_ = 0;
  error = gensio_open(io_, &Events::Opened, this);
  if (error == 0 && !ServiceUntil([this] { return !opening_; }, kConnectMs))
    error = GE_TIMEDOUT;
  if (error == 0)
    error = openError_;
  if (error != 0)
    return error;
  gensio_set_read_callback_enable(io_, true);
  return 0;
}

bool GensioBackend::AwaitAnswers(uintptr_t first, int* error) {
  const uintptr_t last = lastRequest_;
  const bool answered = ServiceUntil(
      [&] {
        for (uintptr_t n = first; n <= last; ++n) {
          if (!answers_.contains(n))
            return false;
        }
        return true;
      },
      kAnswerMs);
  *error = 0;
  for (uintptr_t n = first; n <= last; ++n) {
    if (const auto it = answers_.find(n); it != answers_.end()) {
      if (*error == 0)
        *error = it->second;
      answers_.erase(it);
    }
  }
  return answered;
}

QString GensioBackend::SetUpLine(uint32_t baudRate) {
  const uintptr_t first = lastRequest_ + 1;
  int error = sergensio_baud(sio_, baudRate, &Events::Answered, NextRequest());
  if (error == 0)
    error = sergensio_datasize(sio_, 8, &Events::Answered, NextRequest());
  if (error == 0)
    error = sergensio_parity(sio_, SERGENSIO_PARITY_NONE, &Events::Answered, NextRequest());
  if (error == 0)
    error = sergensio_stopbits(sio_, 1, &Events::Answered, NextRequest());
  if (error != 0)
    return ErrorText(error);
  // The modem lines as a serial port opens them. Nothing here needs them, so their answers are
  // not waited for: some servers leave them unanswered on a line without modem signals.
  sergensio_flowcontrol(sio_, SERGENSIO_FLOWCONTROL_NONE, nullptr, nullptr);
  sergensio_dtr(sio_, SERGENSIO_DTR_ON, nullptr, nullptr);
  sergensio_rts(sio_, SERGENSIO_RTS_OFF, nullptr, nullptr);
  // Changes of DSR are reported from now on; the server reports its present state at once.
  sergensio_modemstate(sio_, SERGENSIO_MODEMSTATE_DSR | SERGENSIO_MODEMSTATE_DSR_CHANGED);
  if (!AwaitAnswers(first, &error))
    return QStringLiteral("сервер не ответил на установку скорости");
  return error != 0 ? ErrorText(error) : QString();
}

bool GensioBackend::Open(const QString& device, uint32_t baudRate, QString* reason) {
  Close();
  const auto address = NetworkAddress::Parse(device);
  QString failure;
  if (!address) {
    failure = QStringLiteral("адрес должен иметь вид rfc2217://УЗЕЛ:ПОРТ или tcp://УЗЕЛ:ПОРТ");
  } else {
    SigpipeBlock block;
    if (const int error = Connect(ConnectionSpec(*address)); error != 0) {
      failure = ErrorText(error);
    } else if (address->kind == NetworkAddress::Kind::kRfc2217) {
      sio_ = gensio_to_sergensio(io_);
      failure = SetUpLine(baudRate);
    }
  }
  if (!failure.isEmpty()) {
    Close();
    if (reason != nullptr)
      *reason = failure;
    return false;
  }
  lostReason_.clear();
  return true;
}

void GensioBackend::Close() {
  if (io_ == nullptr)
    return;
  {
    SigpipeBlock block;
    closing_ = true;
    if (gensio_close(io_, &Events::Closed, this) == 0)
      ServiceUntil([this] { return !closing_; }, kCloseMs);
    gensio_free(io_);
  }
  io_ = nullptr;
  sio_ = nullptr;
  opening_ = false;
  connectionError_ = 0;
  received_.clear();
  dsr_ = false;
  answers_.clear();
  modemLineFailure_.clear();
}

void GensioBackend::Break(int error) {
  if (connectionError_ == 0)
    connectionError_ = error;
  if (io_ != nullptr)
    gensio_set_read_callback_enable(io_, false);
}

int GensioBackend::Read(uint8_t* buffer, int count, int timeoutMs) {
  if (io_ == nullptr)
    return 0;
  SigpipeBlock block;
  int got = 0;
  const auto take = [&] {
    while (got < count && !received_.empty()) {
      buffer[got++] = received_.front();
      received_.pop_front();
    }
    return got == count || connectionError_ != 0;
  };
  ServiceUntil(take, timeoutMs);
  take();
  // A broken connection brings no later byte: the read ends with the reason.
  if (got < count && connectionError_ != 0)
    lostReason_ = ErrorText(connectionError_);
  return got;
}

bool GensioBackend::Write(const uint8_t* buffer, int count) {
  if (io_ == nullptr)
    return false;
  SigpipeBlock block;
  const QDeadlineTimer deadline(kWriteMs);
  int done = 0;
  while (done < count && connectionError_ == 0) {
    gensiods taken = 0;
    const int error =
        gensio_write(io_, &taken, buffer + done, static_cast<gensiods>(count - done), nullptr);
    if (error != 0) {
      Break(error);
      break;
    }
    done += static_cast<int>(taken);
    if (done < count) {
      if (deadline.hasExpired())
        return false;
      ServiceUntil([] { return false; }, kWriteStepMs);
    }
  }
  // What the library holds back goes out now, not at the next wait.
  Poll();
  if (connectionError_ != 0) {
    lostReason_ = ErrorText(connectionError_);
    return false;
  }
  return done == count;
}

bool GensioBackend::PurgeInput() {
  if (io_ == nullptr)
    return false;
  SigpipeBlock block;
  Poll();
  received_.clear();
  if (connectionError_ != 0) {
    lostReason_ = ErrorText(connectionError_);
    return false;
  }
  // The server drops what its line brought and it has not sent yet.
  if (sio_ != nullptr)
    sergensio_flush(sio_, SERGENSIO_FLUSH_RCV_BUFFER);
  return true;
}

bool GensioBackend::SetRts(bool on) {
  modemLineFailure_.clear();
  if (sio_ == nullptr)
    return false;
  SigpipeBlock block;
  const uintptr_t request = lastRequest_ + 1;
  int error = sergensio_rts(sio_, on ? SERGENSIO_RTS_ON : SERGENSIO_RTS_OFF, &Events::Answered,
                            NextRequest());
  if (error == 0 && !AwaitAnswers(request, &error)) {
    modemLineFailure_ = QStringLiteral("сервер не ответил на запрос");
    return false;
  }
  if (error != 0) {
    modemLineFailure_ = ErrorText(error);
    return false;
  }
  return true;
}

bool GensioBackend::Dsr() {
  if (io_ == nullptr)
    return false;
  SigpipeBlock block;
  Poll();
  return dsr_;
}

}  // namespace vrx
