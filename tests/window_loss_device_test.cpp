// The real editor on the private X display, playing into the private sound server, loses its
// window from outside: another client destroys it, or the X server drops the editor's connection
// (what xkill does). Either way the process must stop the sound and end by itself, without a
// crash. Skipped unless the test environment started Xvfb and PulseAudio (ZP_XVFB_DISPLAY,
// PULSE_SERVER).
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Xlib's macros (None, Status, Bool) must not reach gtest's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The editor as a child process with DISPLAY and the X11 platform set.
class Editor {
 public:
  explicit Editor(const std::string& display) {
    std::vector<std::string> environment = {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb"};
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      if (text.rfind("DISPLAY=", 0) != 0 && text.rfind("QT_QPA_PLATFORM=", 0) != 0) {
        environment.push_back(text);
      }
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string path = ZP_EDITOR_PATH;
    char* argv[] = {path.data(), nullptr};
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) pid = -1;
  }
  ~Editor() {
    if (pid > 0 && !ended) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  pid_t Pid() const { return pid; }

  // Polls for the end of the process for up to `limit`; true when it ended.
  bool WaitForEnd(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
      if (waitpid(pid, &status, WNOHANG) == pid) {
        ended = true;
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  int ExitStatus() const { return status; }

 private:
  pid_t pid = -1;
  bool ended = false;
  int status = 0;
};

// The viewable top-level window whose _NET_WM_PID is pid, or 0.
Window FindWindowOf(Display* display, pid_t pid) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
  if (pidAtom == None) return 0;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return 0;
  }
  Window found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
        attributes.map_state != IsViewable) {
      continue;
    }
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data != nullptr) {
      if (format == 32 && items == 1 &&
          static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid) {
        found = children[i];
      }
      XFree(data);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Lines of the private server's list of playing streams.
int PlayingStreams() {
  FILE* list = popen("pactl list short sink-inputs 2>/dev/null", "r");
  if (list == nullptr) return 0;
  int lines = 0;
  for (int c = std::fgetc(list); c != EOF; c = std::fgetc(list)) lines += c == '\n';
  pclose(list);
  return lines;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

TEST(WindowLoss, TheEditorStopsAndEndsWhenItsWindowOrDisplayGoesAway) {
  const char* displayName = std::getenv("ZP_XVFB_DISPLAY");
  const char* server = std::getenv("PULSE_SERVER");
  if (displayName == nullptr || *displayName == '\0' || server == nullptr || *server == '\0') {
    GTEST_SKIP() << "no private X display and sound server (ZP_XVFB_DISPLAY, PULSE_SERVER unset)";
  }
  struct Case {
    const char* what;
    bool killClient;  // XKillClient, as xkill does, rather than XDestroyWindow
  };
  for (const Case& c : {Case{"window destroyed by another client", false},
                        Case{"connection to the display dropped", true}}) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WaitFor([] { return PlayingStreams() == 0; }, std::chrono::seconds(10)));
    Display* display = XOpenDisplay(displayName);
    ASSERT_NE(display, nullptr);
    Editor editor(displayName);
    ASSERT_GT(editor.Pid(), 0);
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = FindWindowOf(display, editor.Pid())) != 0; },
                        std::chrono::seconds(20)))
        << "the editor showed no window";

    // The focus starts on Exit; Tab moves it to Play, which Space presses.
    const std::string keys = "DISPLAY=" + std::string(displayName) +
                             " xdotool windowfocus --sync " + std::to_string(window) +
                             " key Tab space";
    ASSERT_EQ(std::system(keys.c_str()), 0);
    ASSERT_TRUE(WaitFor([] { return PlayingStreams() == 1; }, std::chrono::seconds(10)))
        << "the editor did not start playing";

    if (c.killClient) {
      XKillClient(display, window);
    } else {
      XDestroyWindow(display, window);
    }
    XSync(display, False);
    XCloseDisplay(display);

    // Generous: the bound only keeps a process that lives on from hanging the test.
    ASSERT_TRUE(editor.WaitForEnd(std::chrono::seconds(10))) << "the editor lives on";
    EXPECT_TRUE(WIFEXITED(editor.ExitStatus()))
        << "the editor ended on signal " << WTERMSIG(editor.ExitStatus());
    EXPECT_TRUE(WaitFor([] { return PlayingStreams() == 0; }, std::chrono::seconds(10)));
  }
}

}  // namespace
