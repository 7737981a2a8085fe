#pragma once

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace app {

// One copy of the Linux program per user and drive prefix. The first start
// listens on a local socket in the user's runtime folder ($XDG_RUNTIME_DIR,
// which only the user may enter); a later start hands its paths to that
// copy and ends. Only a peer of the same user is heard, and a socket that
// no copy answers any more (its copy was killed) is taken over, never
// obeyed.
class SingleCopy final : public QObject {
 public:
  // How a start went.
  enum class Start {
    kFirst,       // no copy ran: this one listens (or runs alone, see below)
    kHandedOver,  // the running copy took the paths: this start ends
    kFailed,      // a copy runs but did not take the paths
  };

  // For the drive prefix folder `prefix` (a real folder).
  explicit SingleCopy(const std::string& prefix);
  ~SingleCopy() override;

  // The socket of a prefix in the runtime folder: a name made from the
  // prefix's real path, so each prefix has its own; "" when there is no
  // runtime folder that is the user's own (then every start runs alone).
  static std::string SocketPath(const std::string& prefix);

  // Hands the paths to the running copy, which brings its window to the
  // front, or else begins to listen for later starts.
  Start Begin(const std::vector<std::string>& paths);

  // Paths that a later start handed over, in its order.
  std::function<void(const std::vector<std::string>&)> on_paths;

 private:
  void Accept();

  std::string socket_path_;
  QLocalServer server_;
};

}  // namespace app
