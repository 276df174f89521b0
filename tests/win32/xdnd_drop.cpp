// An X drag-and-drop source for the Windows tests: drops files onto a point of Wine's virtual
// desktop the way a Linux file manager would (XDND: XdndEnter, XdndPosition, XdndStatus,
// XdndDrop, XdndFinished, with the files offered as text/uri-list), so the program under Wine
// receives the drop through Wine's X11 driver.
//   xdnd-drop REQUEST RESULT
// REQUEST (UTF-8): "X Y" in the virtual desktop's coordinates (the Windows screen's), then one
// absolute Unix path per line. RESULT gets one line: "finished accepted=A action=NAME target=..."
// or "error: ...". Exit status 0 when the target accepted and finished the drop.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr long kNewestVersion = 5;
constexpr auto kPatience = std::chrono::seconds(20);

struct Atoms {
  Atom aware, enter, position, status, leave, drop, finished, selection, typeList, actionCopy,
      uriList, targets, wmName, netWmName;
  explicit Atoms(Display* display) {
    const char* names[] = {"XdndAware",    "XdndEnter",      "XdndPosition",  "XdndStatus",
                           "XdndLeave",    "XdndDrop",       "XdndFinished",  "XdndSelection",
                           "XdndTypeList", "XdndActionCopy", "text/uri-list", "TARGETS",
                           "WM_NAME",      "_NET_WM_NAME"};
    Atom* slots[] = {&aware,     &enter,    &position,   &status,  &leave,   &drop,   &finished,
                     &selection, &typeList, &actionCopy, &uriList, &targets, &wmName, &netWmName};
    constexpr int kCount = sizeof(names) / sizeof(names[0]);
    static_assert(kCount == sizeof(slots) / sizeof(slots[0]));
    Atom found[kCount];
    XInternAtoms(display, const_cast<char**>(names), kCount, False, found);
    for (int i = 0; i < kCount; ++i) *slots[i] = found[i];
  }
};

// RFC 8089 file URIs: the path's UTF-8 bytes, every byte outside the unreserved set and "/"
// written as %XX.
std::string FileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || std::strchr("-._~/", c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

std::string WindowName(Display* display, const Atoms& atoms, Window window) {
  for (Atom property : {atoms.netWmName, atoms.wmName}) {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        data) {
      std::string name(reinterpret_cast<char*>(data), count);
      XFree(data);
      if (!name.empty()) return name;
    }
  }
  return "";
}

// The XdndAware version a window announces, 0 when it takes no drops.
long AwareVersion(Display* display, const Atoms& atoms, Window window) {
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  long version = 0;
  if (XGetWindowProperty(display, window, atoms.aware, 0, 1, False, XA_ATOM, &type, &format, &count,
                         &remaining, &data) == Success &&
      data) {
    if (count == 1) version = static_cast<long>(*reinterpret_cast<Atom*>(data));
    XFree(data);
  }
  return version;
}

// Wine's virtual desktop: the top-level window whose title ends in "Wine desktop".
Window FindVirtualDesktop(Display* display, const Atoms& atoms) {
  Window root = DefaultRootWindow(display), parent, *children = nullptr;
  unsigned int count = 0;
  Window desktop = None;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return None;
  for (unsigned int i = 0; i < count && desktop == None; ++i) {
    const std::string name = WindowName(display, atoms, children[i]);
    const std::string suffix = "Wine desktop";
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
      desktop = children[i];
    }
  }
  if (children) XFree(children);
  return desktop;
}

// The deepest window under the point that announces XdndAware. A file manager addresses the
// top-level window under the pointer; without a virtual desktop each Wine top-level window is
// one, but in the virtual desktop they are children of the desktop's window. XDND sent to the
// desktop's window is handled by explorer.exe, which posts WM_DROPFILES with a memory handle of
// its own process to the program (Wine 8 does not copy it across), so the drop is addressed to
// the program's own window, as a file manager does on a desktop without the virtual one.
Window FindTarget(Display* display, const Atoms& atoms, int rootX, int rootY, long* version) {
  const Window root = DefaultRootWindow(display);
  Window current = root, found = None;
  for (int depth = 0; depth < 32; ++depth) {
    int x, y;
    Window child = None;
    if (!XTranslateCoordinates(display, root, current, rootX, rootY, &x, &y, &child)) break;
    if (child == None) break;
    current = child;
    if (const long announced = AwareVersion(display, atoms, current)) {
      *version = announced;
      found = current;
    }
  }
  return found;
}

void SendClientMessage(Display* display, Window target, Atom type, long l0, long l1, long l2,
                       long l3, long l4) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = target;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  const long data[] = {l0, l1, l2, l3, l4};
  for (int i = 0; i < 5; ++i) event.xclient.data.l[i] = data[i];
  XSendEvent(display, target, False, NoEventMask, &event);
  XFlush(display);
}

// Answers a request for the drag's data: the URI list, or the list of targets.
void AnswerSelectionRequest(Display* display, const Atoms& atoms, const XSelectionRequestEvent& r,
                            const std::string& uris) {
  XEvent reply = {};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = r.requestor;
  reply.xselection.selection = r.selection;
  reply.xselection.target = r.target;
  reply.xselection.time = r.time;
  reply.xselection.property = None;
  const Atom property = r.property != None ? r.property : r.target;
  if (r.selection == atoms.selection && r.target == atoms.uriList) {
    XChangeProperty(display, r.requestor, property, atoms.uriList, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(uris.data()),
                    static_cast<int>(uris.size()));
    reply.xselection.property = property;
  } else if (r.selection == atoms.selection && r.target == atoms.targets) {
    const Atom offered[] = {atoms.targets, atoms.uriList};
    XChangeProperty(display, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 2);
    reply.xselection.property = property;
  }
  XSendEvent(display, r.requestor, False, NoEventMask, &reply);
  XFlush(display);
}

int Finish(const std::string& resultPath, const std::string& line, int status) {
  // Written beside the result and renamed, so a reader never sees half a line.
  const std::string partial = resultPath + ".partial";
  std::ofstream(partial) << line << "\n";
  std::rename(partial.c_str(), resultPath.c_str());
  if (status != 0) std::fprintf(stderr, "xdnd-drop: %s\n", line.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: xdnd-drop REQUEST RESULT\n", stderr);
    return 2;
  }
  const std::string resultPath = argv[2];
  std::ifstream request(argv[1]);
  int x = 0, y = 0;
  std::string line;
  if (!std::getline(request, line) || std::sscanf(line.c_str(), "%d %d", &x, &y) != 2) {
    return Finish(resultPath, "error: the request has no point", 2);
  }
  std::string uris;
  while (std::getline(request, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) uris += FileUri(line) + "\r\n";
  }

  Display* display = XOpenDisplay(nullptr);
  if (!display) return Finish(resultPath, "error: cannot open the X display", 1);
  const Atoms atoms(display);
  const Window root = DefaultRootWindow(display);

  const Window desktop = FindVirtualDesktop(display, atoms);
  if (desktop == None) return Finish(resultPath, "error: no Wine virtual desktop window", 1);
  int rootX = 0, rootY = 0;
  Window ignored;
  XTranslateCoordinates(display, desktop, root, x, y, &rootX, &rootY, &ignored);

  long version = 0;
  const Window target = FindTarget(display, atoms, rootX, rootY, &version);
  if (target == None) return Finish(resultPath, "error: no XdndAware window at the point", 1);
  std::ostringstream where;
  where << "target=0x" << std::hex << target << std::dec << " \""
        << WindowName(display, atoms, target) << "\" version=" << version << " root=" << rootX
        << "," << rootY;

  const Window source = XCreateSimpleWindow(display, root, -10, -10, 1, 1, 0, 0, 0);
  XChangeProperty(display, source, atoms.typeList, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&atoms.uriList), 1);
  XSetSelectionOwner(display, atoms.selection, source, CurrentTime);
  if (XGetSelectionOwner(display, atoms.selection) != source) {
    return Finish(resultPath, "error: could not own XdndSelection", 1);
  }

  const long used = version < kNewestVersion ? version : kNewestVersion;
  SendClientMessage(display, target, atoms.enter, static_cast<long>(source), used << 24,
                    static_cast<long>(atoms.uriList), 0, 0);
  SendClientMessage(display, target, atoms.position, static_cast<long>(source), 0,
                    (static_cast<long>(rootX) << 16) | (rootY & 0xFFFF), CurrentTime,
                    static_cast<long>(atoms.actionCopy));

  enum { kAwaitingStatus, kAwaitingFinished } state = kAwaitingStatus;
  long accepted = 0;
  Atom action = None;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (true) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == SelectionRequest) {
        AnswerSelectionRequest(display, atoms, event.xselectionrequest, uris);
      } else if (event.type == ClientMessage && event.xclient.message_type == atoms.status &&
                 state == kAwaitingStatus) {
        accepted = event.xclient.data.l[1] & 1;
        if (!accepted) {
          SendClientMessage(display, target, atoms.leave, static_cast<long>(source), 0, 0, 0, 0);
          return Finish(resultPath, "refused " + where.str(), 1);
        }
        SendClientMessage(display, target, atoms.drop, static_cast<long>(source), 0, CurrentTime, 0,
                          0);
        state = kAwaitingFinished;
      } else if (event.type == ClientMessage && event.xclient.message_type == atoms.finished) {
        accepted = event.xclient.data.l[1] & 1;
        action = static_cast<Atom>(event.xclient.data.l[2]);
        char* name = action != None ? XGetAtomName(display, action) : nullptr;
        std::ostringstream result;
        result << "finished accepted=" << accepted << " action=" << (name ? name : "None") << " "
               << where.str();
        if (name) XFree(name);
        XCloseDisplay(display);
        return Finish(resultPath, result.str(), accepted ? 0 : 1);
      }
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return Finish(resultPath,
                    std::string("error: no ") +
                        (state == kAwaitingStatus ? "XdndStatus" : "XdndFinished") +
                        " from the target, " + where.str(),
                    1);
    }
    pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
      return Finish(resultPath, "error: lost the X connection", 1);
    }
  }
}
