// Hidden marks as a real Samba server keeps them: smbd runs on 127.0.0.1 with
// a share over a folder of the test's drive C:, and smbclient changes and
// reads the attributes that Windows clients see.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

#include "tests/platform/posix_fixture.h"

namespace {

namespace fs = std::filesystem;
using platform::kAttrHiddenSystem;
using platform::kAttrNone;

constexpr char kSmbd[] = "/usr/sbin/smbd";
constexpr char kSmbclient[] = "/usr/bin/smbclient";
constexpr char kSmbpasswd[] = "/usr/bin/smbpasswd";
constexpr char kLoopback[] = "127.0.0.1";
constexpr char kShare[] = "items";
constexpr char kUser[] = "root";
constexpr char kPassword[] = "quillomar";
constexpr auto kLongestStart = std::chrono::seconds(15);
constexpr auto kLongestStop = std::chrono::seconds(10);
constexpr auto kPause = std::chrono::milliseconds(50);

// The loopback address with `port`; port 0 lets the system pick one.
sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port on the loopback address that nothing listens on right now.
int FreePort() {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  const bool bound = ::bind(probe, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                     ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size) == 0;
  ::close(probe);
  return bound ? ntohs(address.sin_port) : 0;
}

bool Accepts(int port) {
  const int client = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  const bool accepted = ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(client);
  return accepted;
}

// What a command prints on its standard output (its errors too).
std::string Output(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>&1").c_str(), "r"), ::pclose);
  if (!pipe) return out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  return out;
}

// smbd with a share of one folder, in a folder of its own, for one test.
class SambaServer {
 public:
  SambaServer(const std::string& state, const std::string& shared) : state_(state), port_(FreePort()) {
    for (const char* folder : {"private", "lock", "state", "cache", "pid", "ncalrpc"}) {
      fs::create_directories(state_ + "/" + folder);
    }
    const std::pair<const char*, std::string> settings[] = {
        {"server role", "standalone server"},    {"bind interfaces only", "yes"},
        {"interfaces", kLoopback},                {"smb ports", std::to_string(port_)},
        {"disable netbios", "yes"},               {"passdb backend", "tdbsam:" + state_ + "/private/passdb.tdb"},
        {"private dir", state_ + "/private"},     {"lock directory", state_ + "/lock"},
        {"state directory", state_ + "/state"},   {"cache directory", state_ + "/cache"},
        {"pid directory", state_ + "/pid"},       {"ncalrpc dir", state_ + "/ncalrpc"},
        {"log file", state_ + "/log.%m"},         {"load printers", "no"},
        {"printcap name", "/dev/null"},           {"disable spoolss", "yes"},
    };
    std::string config = "[global]\n";
    for (const auto& [key, value] : settings) config += "  " + std::string(key) + " = " + value + "\n";
    config += "[" + std::string(kShare) + "]\n  path = " + shared + "\n  read only = no\n  store dos attributes = yes\n";
    testing_support::WriteAll(Config(), config);
    Output("printf '%s\\n%s\\n' " + std::string(kPassword) + " " + kPassword + " | " + kSmbpasswd +
           " -c " + Config() + " -a -s " + kUser);
    server_ = ::fork();
    if (server_ == 0) {
      // A process group of its own: smbd ends its whole group when it stops.
      ::setpgid(0, 0);
      const std::string config = "--configfile=" + Config();
      ::execl(kSmbd, kSmbd, "--foreground", "--no-process-group", config.c_str(), nullptr);
      ::_exit(127);
    }
    const auto give_up = std::chrono::steady_clock::now() + kLongestStart;
    while (!Accepts(port_) && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(kPause);
  }

  ~SambaServer() {
    if (server_ <= 0) return;
    ::kill(server_, SIGTERM);
    const auto give_up = std::chrono::steady_clock::now() + kLongestStop;
    while (::waitpid(server_, nullptr, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() >= give_up) {
        ::kill(server_, SIGKILL);
        ::waitpid(server_, nullptr, 0);
        break;
      }
      std::this_thread::sleep_for(kPause);
    }
  }

  bool Running() const { return server_ > 0 && Accepts(port_); }

  // Runs smbclient commands on the share and returns what it prints.
  std::string Client(const std::string& commands) const {
    return Output(std::string(kSmbclient) + " //" + kLoopback + "/" + kShare + " -p " + std::to_string(port_) +
                  " -U " + kUser + "%" + kPassword + " -c '" + commands + "'");
  }

  // The attribute letters that Windows clients see on the item ("HSD").
  std::string Letters(const std::string& name) const {
    const std::string info = Client("allinfo \"" + name + "\"");
    const std::size_t at = info.find("attributes:");
    if (at == std::string::npos) return "(no attributes: " + info + ")";
    const std::size_t begin = info.find_first_not_of(' ', at + 11);
    return info.substr(begin, info.find(" (", begin) - begin);
  }

 private:
  std::string Config() const { return state_ + "/smb.conf"; }

  std::string state_;
  int port_;
  pid_t server_ = -1;
};

bool HiddenAndSystem(const std::string& letters) {
  return letters.find('H') != std::string::npos && letters.find('S') != std::string::npos;
}
bool NeitherHiddenNorSystem(const std::string& letters) {
  return letters.find('H') == std::string::npos && letters.find('S') == std::string::npos;
}

using SambaInterop = posix_testing::DataFolderTest;

TEST_F(SambaInterop, MarksRoundTripBetweenSambaAndUsForFilesAndFolders) {
  if (::geteuid() != 0) GTEST_SKIP() << "smbd serves a share only when it runs as root";
  ASSERT_TRUE(fs::exists(kSmbd) && fs::exists(kSmbclient)) << "scripts/setup.sh installs samba and smbclient";
  const SambaServer samba(prefix_.root() + "/samba", folder_);
  ASSERT_TRUE(samba.Running());
  testing_support::WriteAll(Real("file.txt"), "x");
  fs::create_directory(Real("folder"));

  for (const char* name : {"file.txt", "folder"}) {
    // Samba hides: we read it hidden, in Samba's own binary record.
    samba.Client(std::string("setmode ") + name + " +hs");
    EXPECT_EQ(prefix_.fs().GetAttributes(Win(name)).value_or(0) & kAttrHiddenSystem, kAttrHiddenSystem) << name;
    // We show it again: Samba sees it shown.
    ASSERT_TRUE(prefix_.fs().SetAttributes(Win(name), kAttrNone)) << name;
    EXPECT_TRUE(NeitherHiddenNorSystem(samba.Letters(name))) << name << ": " << samba.Letters(name);
    // We hide: Samba sees hidden and system.
    ASSERT_TRUE(prefix_.fs().SetAttributes(Win(name), kAttrHiddenSystem)) << name;
    EXPECT_TRUE(HiddenAndSystem(samba.Letters(name))) << name << ": " << samba.Letters(name);
    // Samba shows it again: we read it shown, whatever .hidden still says.
    samba.Client(std::string("setmode ") + name + " -hs");
    EXPECT_EQ(prefix_.fs().GetAttributes(Win(name)).value_or(0xFF) & kAttrHiddenSystem, kAttrNone) << name;
  }
  // An item that only we ever marked: Samba reads our text form.
  testing_support::WriteAll(Real("ours.txt"), "x");
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("ours.txt"), kAttrHiddenSystem));
  EXPECT_TRUE(HiddenAndSystem(samba.Letters("ours.txt"))) << samba.Letters("ours.txt");
}

}  // namespace
