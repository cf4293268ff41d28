// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program and measures the time from the fork to the map of its
// first top-level window. The root window's substructure events are selected
// before the fork, so the map cannot slip by unseen and nothing polls.
//
// Usage: bench_maptime PROGRAM [ARGUMENT...]
// Prints "PID MILLISECONDS WINDOW" once the window is mapped, then waits for
// the program and exits with its status.
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>

#include <stdio.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double millisecondsSince(const struct timespec* start)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)(now.tv_sec - start->tv_sec) * 1e3 + (double)(now.tv_nsec - start->tv_nsec) / 1e6;
}

// Menus and tooltips are override-redirect windows; the program's own
// top-level window is the first map of any other child of the root.
static Window waitForTopLevelMap(Display* display)
{
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            return event.xmap.window;
    }
}

static int exitStatusOf(pid_t child)
{
    int status = 0;
    if (waitpid(child, &status, 0) < 0)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int main(int argc, char* argv[])
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        perror("fork");
        return 2;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const Window window = waitForTopLevelMap(display);
    printf("%d %.3f 0x%lx\n", (int)child, millisecondsSince(&start), (unsigned long)window);
    fflush(stdout);
    XCloseDisplay(display);
    return exitStatusOf(child);
}
