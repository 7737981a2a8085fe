#include "app/single_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDataStream>
#include <QLocalSocket>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace app {

namespace {

constexpr char kRuntimeVariable[] = "XDG_RUNTIME_DIR";
constexpr char kSocketPrefix[] = "/quillomar-";
// Held while a start decides whether a copy runs, so that two starts at
// once never both take the socket over.
constexpr char kLockSuffix[] = ".lock";
// How long a start waits for the running copy to connect and to take the
// paths (it may be busy hiding what came before).
constexpr int kConnectMs = 2000;
constexpr int kAnswerMs = 60000;
// The running copy's answer once it has taken the paths.
constexpr char kTaken = 'y';
// At most this many paths and bytes in one hand-over: more is no start of
// ours.
constexpr quint32 kMostPaths = 1u << 20;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

// FNV-1a over the bytes: the same prefix gives the same socket name.
std::uint64_t NameHash(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// The runtime folder when it is the user's own and nobody else's to enter.
std::string OwnRuntimeFolder() {
  const char* folder = std::getenv(kRuntimeVariable);
  if (folder == nullptr || folder[0] != '/') return {};
  struct stat status;
  if (::lstat(folder, &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() ||
      (status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    return {};
  }
  return folder;
}

// True when the peer of a connected local socket runs as this user.
bool SameUser(const QLocalSocket& socket) {
  struct ucred peer {};
  socklen_t size = sizeof peer;
  return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == ::geteuid();
}

// An exclusive lock on a file, released when the object goes.
class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

}  // namespace

SingleCopy::SingleCopy(const std::string& prefix) : socket_path_(SocketPath(prefix)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &SingleCopy::Accept);
}

SingleCopy::~SingleCopy() { server_.close(); }

std::string SingleCopy::SocketPath(const std::string& prefix) {
  const std::string runtime = OwnRuntimeFolder();
  if (runtime.empty()) return {};
  const std::unique_ptr<char, decltype(&::free)> real(::realpath(prefix.c_str(), nullptr), &::free);
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(NameHash(real ? real.get() : prefix)));
  return runtime + kSocketPrefix + hash;
}

SingleCopy::Start SingleCopy::Begin(const std::vector<std::string>& paths) {
  if (socket_path_.empty()) return Start::kFirst;
  const FileLock lock(socket_path_ + kLockSuffix);
  if (!lock.held()) return Start::kFirst;
  const QString name = QString::fromStdString(socket_path_);

  QLocalSocket socket;
  socket.connectToServer(name);
  if (socket.waitForConnected(kConnectMs)) {
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << static_cast<quint32>(paths.size());
    for (const std::string& path : paths) out << QByteArray::fromStdString(path);
    socket.write(message);
    while (socket.bytesAvailable() == 0) {
      if (!socket.waitForReadyRead(kAnswerMs)) return Start::kFailed;
    }
    return socket.read(1) == QByteArray(1, kTaken) ? Start::kHandedOver : Start::kFailed;
  }
  // Nobody answers: what stands at the name is a killed copy's socket.
  QLocalServer::removeServer(name);
  server_.listen(name);
  return Start::kFirst;
}

void SingleCopy::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!SameUser(*socket)) {
      socket->abort();
      continue;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      QDataStream in(socket);
      in.setVersion(kStreamVersion);
      in.startTransaction();
      quint32 count = 0;
      in >> count;
      std::vector<std::string> paths;
      for (quint32 i = 0; i < count && count <= kMostPaths && in.status() == QDataStream::Ok; ++i) {
        QByteArray path;
        in >> path;
        paths.push_back(path.toStdString());
      }
      if (count > kMostPaths) {
        socket->abort();
        return;
      }
      // The rest of the message is still on its way.
      if (!in.commitTransaction()) return;
      socket->write(QByteArray(1, kTaken));
      socket->flush();
      // Hidden once this hand-over is done with: the hide may show boxes.
      QMetaObject::invokeMethod(
          this, [this, paths] { if (on_paths) on_paths(paths); }, Qt::QueuedConnection);
    });
  }
}

}  // namespace app
