// POSIX: posix_spawn with close-on-exec pipes; the parameters are split by the
// Windows command-line rules, never by a shell, and there is no shell fallback.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "detail/platform.h"
#include "detail/split_command_line.h"
#include "process.h"
#include "runtime/native_text.h"

extern char** environ;

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

Text ExecutableModulePath() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return DecodeUtf8(path);
}

}  // namespace kv::detail
