#include "reader/tests/xvfb/virtual_display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Display numbers tried, above those of real servers and ssh forwarding.
constexpr int kFirstDisplay = 100;
constexpr int kDisplays = 100;

// Held while this process runs a server on the number; scripts/with-xvfb
// claims numbers the same way.
int Claim(int number) {
  const std::string path = "/tmp/.parlen-xvfb-" + std::to_string(number) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool Answers(const std::string& display) {
  Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) return false;
  XCloseDisplay(connection);
  return true;
}

}  // namespace

bool VirtualDisplay::Shared(const std::string& screen) {
  static VirtualDisplay display;
  static const bool started = display.Start(screen);
  return started;
}

bool VirtualDisplay::Start(const std::string& screen) {
  for (int number = kFirstDisplay; number < kFirstDisplay + kDisplays; ++number) {
    claim_ = Claim(number);
    if (claim_ < 0) continue;  // another run's
    if (StartOn(number, screen)) {
      setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
      return true;
    }
    std::fprintf(stderr, "Xvfb on :%d did not start or does not answer; trying the next number\n", number);
    Stop();
  }
  return false;
}

bool VirtualDisplay::StartOn(int number, const std::string& screen) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  pid_ = fork();
  if (pid_ < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  const std::string display = ":" + std::to_string(number);
  if (pid_ == 0) {
    // Goes with the test, even one killed for taking too long.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    // -displayfd: the number is written once the server takes connections.
    execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset",
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string reported;
  pollfd wait{fds[0], POLLIN, 0};
  while (poll(&wait, 1, 10000) > 0) {
    char c = 0;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    reported.push_back(c);
  }
  close(fds[0]);
  return reported == std::to_string(number) && Answers(display);
}

void VirtualDisplay::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  if (claim_ >= 0) {
    close(claim_);  // releases the claim
    claim_ = -1;
  }
}

VirtualDisplay::~VirtualDisplay() { Stop(); }
