// POSIX: posix_spawn with close-on-exec pipes; the parameters are split by the
// Windows command-line rules, never by a shell, and there is no shell fallback.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "detail/platform.h"
#include "detail/split_command_line.h"
#include "process.h"
#include "runtime/native_text.h"

extern char** environ;

namespace kv {

// The watch has descriptors of its own, so a reader that closes the pipe at
// the end of the data never pulls one from under a waiting thread.
struct OutputWatch {
  int poller = -1;  // epoll set of the three below
  int output = -1;  // a duplicate of the parent's read end
  int exit = -1;    // the child as a process descriptor, readable once it ends
  int cancel = -1;  // an event counter
};

void OutputWatchDeleter::operator()(OutputWatch* watch) const {
  for (int fd : {watch->poller, watch->output, watch->exit, watch->cancel}) {
    if (fd >= 0) close(fd);
  }
  delete watch;
}

WatchResult WaitForOutputChange(OutputWatch& watch, int timeoutMs) {
  epoll_event events[3];
  int count;
  while ((count = epoll_wait(watch.poller, events, 3, timeoutMs)) < 0 && errno == EINTR) {
  }
  if (count < 0) return WatchResult::Cancelled;  // a set that cannot wait never will
  if (count == 0) return WatchResult::TimedOut;
  for (int i = 0; i < count; ++i) {
    if (events[i].data.fd == watch.cancel) return WatchResult::Cancelled;
  }
  return WatchResult::Changed;
}

void CancelOutputWatch(OutputWatch& watch) {
  std::uint64_t one = 1;
  while (write(watch.cancel, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

}  // namespace kv

namespace kv::detail {

struct PlatformChild {
  pid_t pid = -1;
  int input = -1, output = -1, error = -1;  // the parent's ends
  bool exited = false;
  int status = 0;
};

void PlatformChildDeleter::operator()(PlatformChild* child) const {
  for (int fd : {child->input, child->output, child->error}) {
    if (fd >= 0) close(fd);
  }
  // Reap the child if it is already gone; a running one goes on.
  if (!child->exited) waitpid(child->pid, nullptr, WNOHANG);
  delete child;
}

namespace {

struct Pipe {
  int read = -1, write = -1;
  void Close() {
    if (read >= 0) close(read);
    if (write >= 0) close(write);
    read = write = -1;
  }
};

Pipe MakePipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return {};  // left out, as on Windows
  return {fds[0], fds[1]};
}

int& Descriptor(PlatformChild& child, Stream stream) {
  return stream == Stream::Output ? child.output : child.error;
}

void NoteStatus(PlatformChild& child, int status) {
  child.exited = true;
  child.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

PlatformChildPtr SpawnChild(TextView, TextView, TextView commandLine, TextView workingDirectory,
                            std::uint32_t flags) {
  std::vector<std::string> args;
  for (const Text& arg : SplitCommandLine(commandLine)) args.push_back(EncodeUtf8(arg));
  if (args[0].empty()) return nullptr;
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  // Pipes only for a child whose handle is kept: nobody else could read them.
  Pipe in, out, err;
  if (flags & KeepHandle) {
    if (flags & PipeInput) in = MakePipe();
    if (flags & PipeOutput) out = MakePipe();
    if (flags & PipeError) err = MakePipe();
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (in.read >= 0) posix_spawn_file_actions_adddup2(&actions, in.read, 0);
  if (out.write >= 0) posix_spawn_file_actions_adddup2(&actions, out.write, 1);
  if (err.write >= 0) posix_spawn_file_actions_adddup2(&actions, err.write, 2);
  std::string directory = NativePath(workingDirectory);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());

  pid_t pid = -1;
  bool searchPath = args[0].find('/') == std::string::npos;
  int failed = searchPath ? posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ)
                          : posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);

  // The child's ends are closed in the parent at once, so that reads reach
  // the end of the data when the child exits.
  for (int* fd : {&in.read, &out.write, &err.write}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
  if (failed) {
    in.Close(), out.Close(), err.Close();
    return nullptr;
  }
  auto* child = new PlatformChild{pid, in.write, out.read, err.read};
  for (int fd : {child->output, child->error}) {
    if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  return PlatformChildPtr(child);
}

bool HasPipe(const PlatformChild& child, Stream stream) {
  return (stream == Stream::Output ? child.output : child.error) >= 0;
}

bool HasExited(PlatformChild& child) {
  if (child.exited) return true;
  int status = 0;
  if (waitpid(child.pid, &status, WNOHANG) == child.pid) NoteStatus(child, status);
  return child.exited;
}

int ExitStatus(const PlatformChild& child) { return child.status; }

void WaitForChild(PlatformChild& child) {
  int status = 0;
  pid_t done;
  while ((done = waitpid(child.pid, &status, 0)) < 0 && errno == EINTR) {
  }
  if (done == child.pid) NoteStatus(child, status);
}

bool TerminateChild(PlatformChild& child) {
  if (HasExited(child)) return false;
  return kill(child.pid, SIGKILL) == 0;
}

std::size_t BytesWaiting(PlatformChild& child, Stream stream) {
  int fd = Descriptor(child, stream), count = 0;
  if (fd < 0 || ioctl(fd, FIONREAD, &count) != 0 || count < 0) return 0;
  return static_cast<std::size_t>(count);
}

long ReadWaiting(PlatformChild& child, Stream stream, char* buffer, std::size_t capacity) {
  int& fd = Descriptor(child, stream);
  if (fd < 0) return -1;
  ssize_t n;
  while ((n = read(fd, buffer, capacity)) < 0 && errno == EINTR) {
  }
  if (n > 0) return static_cast<long>(n);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
  // The end of the data: forget the pipe so nobody waits on it again.
  close(fd);
  fd = -1;
  return -1;
}

void WaitForPipes(PlatformChild& child, int milliseconds) {
  pollfd fds[2];
  nfds_t count = 0;
  for (int fd : {child.output, child.error}) {
    if (fd >= 0) fds[count++] = {fd, POLLIN, 0};
  }
  poll(fds, count, milliseconds);
}

namespace {

bool AddToPoller(int poller, int fd, std::uint32_t events) {
  epoll_event event{};
  event.events = events;
  event.data.fd = fd;
  return epoll_ctl(poller, EPOLL_CTL_ADD, fd, &event) == 0;
}

}  // namespace

OutputWatchPtr WatchChild(PlatformChild& child) {
  if (child.output < 0) return nullptr;
  OutputWatchPtr watch(new OutputWatch);
  watch->poller = epoll_create1(EPOLL_CLOEXEC);
  watch->output = fcntl(child.output, F_DUPFD_CLOEXEC, 0);
  watch->cancel = eventfd(0, EFD_CLOEXEC);
  // Without a process descriptor (an old kernel) the end is still seen
  // through the pipe, unless a grandchild holds it open.
  if (!child.exited) watch->exit = static_cast<int>(syscall(SYS_pidfd_open, child.pid, 0));
  // Edge-triggered: a wait ends for news, not for output still unread.
  bool watching = watch->poller >= 0 && watch->output >= 0 && watch->cancel >= 0 &&
                  AddToPoller(watch->poller, watch->output, EPOLLIN | EPOLLET) &&
                  AddToPoller(watch->poller, watch->cancel, EPOLLIN) &&
                  (watch->exit < 0 || AddToPoller(watch->poller, watch->exit, EPOLLIN | EPOLLET));
  return watching ? std::move(watch) : nullptr;
}

Text ExecutableModulePath() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return DecodeUtf8(path);
}

}  // namespace kv::detail
