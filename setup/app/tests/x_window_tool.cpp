// A small X11 helper for the window tests, using the real display channels
// only (no test hooks in the program):
//   x_window_tool find PID TITLE SECONDS  waits for a mapped top-level window of
//                                         process PID with that title; prints "x y
//                                         width height screen_width screen_height"
//   x_window_tool close PID TITLE         asks that window to close, as a window
//                                         manager's close button does
//                                         (WM_DELETE_WINDOW), and waits until it is gone
//   x_window_tool type PID TITLE KEY...    gives that window the keyboard focus and
//                                         presses each KEY: a key name such as Tab
//                                         or Return, or "text:..." to type letters,
//                                         digits, blanks and dashes
// Windows are told apart by their owner's process id (_NET_WM_PID), so tests
// running side by side on one display never touch each other's windows.
// Exit status 0 on success, 1 when no such window showed up, 2 on bad use.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

namespace {

std::optional<long> windowPid(Display* display, Window window) {
  const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) != Success ||
      !data) {
    return std::nullopt;
  }
  std::optional<long> pid;
  if (count == 1 && format == 32) pid = *reinterpret_cast<long*>(data);
  XFree(data);
  return pid;
}

std::optional<std::string> windowTitle(Display* display, Window window) {
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data) {
    std::string title(reinterpret_cast<char*>(data), count);
    XFree(data);
    return title;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name) {
    std::string title(name);
    XFree(name);
    return title;
  }
  return std::nullopt;
}

// Depth-first over the tree: without a window manager the program's window is
// a child of the root; with one it may sit inside a frame.
std::optional<Window> findWindow(Display* display, Window parent, long pid, const std::string& title) {
  Window root = 0, parentOut = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return std::nullopt;
  std::optional<Window> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
        windowPid(display, children[i]) == pid && windowTitle(display, children[i]) == title) {
      found = children[i];
    } else {
      found = findWindow(display, children[i], pid, title);
    }
  }
  if (children) XFree(children);
  return found;
}

std::optional<Window> waitForWindow(Display* display, long pid, const std::string& title, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    if (auto window = findWindow(display, DefaultRootWindow(display), pid, title)) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

// Windows come and go while the tree is walked (WebKit and GTK make short-lived
// ones); a request about a window that just went away is not an error here.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

void sendDelete(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

// The focus is given back before every key: another program's window that
// comes up meanwhile on the same display may have taken it.
void pressKeysym(Display* display, Window window, KeySym keysym, bool shift) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  const KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
  const KeyCode code = XKeysymToKeycode(display, keysym);
  if (shift) XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
  XSync(display, False);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

bool typeKey(Display* display, Window window, const std::string& key) {
  if (key.rfind("text:", 0) == 0) {
    for (char c : key.substr(5)) {
      const bool upper = c >= 'A' && c <= 'Z';
      const char name[2] = {upper ? static_cast<char>(c - 'A' + 'a') : c, 0};
      const KeySym keysym = c == ' ' ? XK_space : c == '-' ? XK_minus : XStringToKeysym(name);
      if (keysym == NoSymbol) return false;
      pressKeysym(display, window, keysym, upper);
    }
    return true;
  }
  const KeySym keysym = XStringToKeysym(key.c_str());
  if (keysym == NoSymbol) return false;
  pressKeysym(display, window, keysym, false);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: x_window_tool find PID TITLE SECONDS | close PID TITLE\n", stderr);
    return 2;
  }
  const std::string command = argv[1], title = argv[3];
  const long pid = std::atol(argv[2]);
  // A busy X server (several window tests at once) can refuse a connection
  // for a moment; try for a few seconds before giving up.
  Display* display = XOpenDisplay(nullptr);
  for (int attempt = 0; !display && attempt < 50; ++attempt) {
    usleep(100 * 1000);
    display = XOpenDisplay(nullptr);
  }
  if (!display) {
    std::fputs("x_window_tool: cannot open the display\n", stderr);
    return 2;
  }
  XSetErrorHandler(ignoreXErrors);
  int status = 1;
  if (command == "find" && argc == 5) {
    if (auto window = waitForWindow(display, pid, title, std::atof(argv[4]))) {
      XWindowAttributes attributes{};
      XGetWindowAttributes(display, *window, &attributes);
      int x = 0, y = 0;
      Window child = 0;
      XTranslateCoordinates(display, *window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
      std::printf("%d %d %d %d %d %d\n", x, y, attributes.width, attributes.height,
                  DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display)));
      status = 0;
    }
  } else if (command == "close" && argc == 4) {
    // Like a user who clicks the close button again when nothing happens: a
    // request that arrives while the program is still busy starting is
    // repeated until the window is gone.
    if (auto window = waitForWindow(display, pid, title, 10)) {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (findWindow(display, DefaultRootWindow(display), pid, title) &&
             std::chrono::steady_clock::now() < deadline) {
        sendDelete(display, *window);
        for (int i = 0; i < 40 && findWindow(display, DefaultRootWindow(display), pid, title); ++i) {
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
      }
      status = findWindow(display, DefaultRootWindow(display), pid, title) ? 1 : 0;
    }
  } else if (command == "type" && argc >= 5) {
    if (auto window = waitForWindow(display, pid, title, 10)) {
      XRaiseWindow(display, *window);
      XSetInputFocus(display, *window, RevertToParent, CurrentTime);
      XSync(display, False);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      status = 0;
      for (int i = 4; i < argc && status == 0; ++i) status = typeKey(display, *window, argv[i]) ? 0 : 2;
    }
  } else {
    std::fputs("usage: x_window_tool find PID TITLE SECONDS | close PID TITLE | type PID TITLE KEY...\n", stderr);
    status = 2;
  }
  XCloseDisplay(display);
  return status;
}
