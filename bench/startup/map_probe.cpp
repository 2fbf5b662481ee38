// Start-up probe: starts a program and reports, in milliseconds after the
// fork, when the X server maps its first top-level window and when the
// program says it painted its first frame.
//
//   tarvel_bench_map_probe PROGRAM [ARGS...]
//
// The probe listens on the root window's substructure events before the
// fork, so the MapNotify comes from the server itself, not from polling. A
// map counts when the window's _NET_WM_PID is the child's (windows of other
// programs on the same display are ignored). The program's standard output
// is read for the line
//
//   first frame painted: CLOCK_MONOTONIC <microseconds> us
//
// whose clock reading is compared with the probe's own reading at the fork.
// Prints one line, "map <ms> frame <ms> pid <pid> window <id>", then leaves
// the child running with its output drained until the probe's standard input
// closes (the driver script measures memory meanwhile), and ends it with
// SIGTERM.
// Gives up after 30 seconds.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static const char kFrameLine[] = "first frame painted: CLOCK_MONOTONIC ";

static double NowUs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec * 1e6 + (double)t.tv_nsec / 1e3;
}

static xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
  xcb_atom_t atom = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(r);
  return atom;
}

/* The _NET_WM_PID of a window, or -1. */
static long WindowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom) {
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), NULL);
  long pid = -1;
  if (r && r->format == 32 && xcb_get_property_value_length(r) >= 4) pid = *(uint32_t*)xcb_get_property_value(r);
  free(r);
  return pid;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(NULL, &screenNumber);
  if (xcb_connection_has_error(c)) {
    fprintf(stderr, "map_probe: cannot open the display (xcb error %d)\n", xcb_connection_has_error(c));
    return 1;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  const xcb_window_t root = it.data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_void_cookie_t selected = xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask);
  xcb_generic_error_t* error = xcb_request_check(c, selected);
  if (error) {
    fprintf(stderr, "map_probe: cannot listen on the root window\n");
    return 1;
  }
  const xcb_atom_t pidAtom = Atom(c, "_NET_WM_PID");

  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return 1;
  const double start = NowUs();
  const pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  close(out[1]);

  double mapped = -1, painted = -1;
  xcb_window_t window = XCB_WINDOW_NONE;
  char line[4096];
  size_t used = 0;
  int streamOpen = 1;
  while (mapped < 0 || painted < 0) {
    struct pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {out[0], POLLIN, 0}};
    xcb_generic_event_t* event;
    while ((event = xcb_poll_for_event(c)) != NULL) {
      const double at = NowUs();
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && mapped < 0) {
        const xcb_map_notify_event_t* map = (const xcb_map_notify_event_t*)event;
        if (!map->override_redirect && WindowPid(c, map->window, pidAtom) == child) {
          mapped = at;
          window = map->window;
        }
      }
      free(event);
    }
    if (mapped >= 0 && painted >= 0) break;
    if (xcb_connection_has_error(c) || NowUs() - start > 30e6) break;
    if (poll(fds, streamOpen ? 2 : 1, 100) < 0 && errno != EINTR) break;
    if (streamOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
      const ssize_t n = read(out[0], line + used, sizeof line - 1 - used);
      if (n <= 0) {
        streamOpen = 0;
        continue;
      }
      used += (size_t)n;
      line[used] = '\0';
      char* found = strstr(line, kFrameLine);
      if (found && painted < 0 && strchr(found, '\n')) painted = strtod(found + sizeof kFrameLine - 1, NULL);
      /* Keep only the unfinished last line. */
      char* last = strrchr(line, '\n');
      if (last) {
        used = strlen(last + 1);
        memmove(line, last + 1, used + 1);
      } else if (used == sizeof line - 1) {
        used = 0;
      }
    }
  }
  int status = 0;
  if (mapped < 0 || painted < 0) {
    fprintf(stderr, "map_probe: no %s within 30 s\n", mapped < 0 ? "mapped window" : "first-frame line");
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    return 1;
  }
  printf("map %.1f frame %.1f pid %d window %u\n", (mapped - start) / 1e3, (painted - start) / 1e3, (int)child,
         (unsigned)window);
  fflush(stdout);
  /* The child keeps running (its output drained) until our input closes. */
  char drain[4096];
  struct pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {out[0], POLLIN, 0}};
  for (;;) {
    if (poll(fds, streamOpen ? 2 : 1, -1) < 0 && errno != EINTR) break;
    if (fds[0].revents) {
      if (read(STDIN_FILENO, drain, sizeof drain) <= 0) break;
    }
    if (streamOpen && fds[1].revents && read(out[0], drain, sizeof drain) <= 0) streamOpen = 0;
  }
  kill(child, SIGTERM);
  waitpid(child, &status, 0);
  xcb_disconnect(c);
  return 0;
}
