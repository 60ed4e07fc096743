/* xdnd_drop TITLE X Y FILE: drops FILE at root point X,Y, where the X window titled TITLE
 * must be shown, as a file manager does, through the XDND protocol, and ends when the window
 * says it has finished. A native X client: Wine receives the drop exactly as from a player's
 * desktop.
 *
 * Exit status: 0 when the window took the file; 1 on wrong use or when that window is not
 * the one shown there; 3 when the window refused the drop; 4 when it finished without
 * taking the file; 5 when it stopped answering.
 *
 * No pointer moves and no button is pressed: the protocol's messages carry the point, so
 * nothing of the X server's pointer state is left for the programs that come after. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <limits.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

/* Seconds for the window to be shown, then for the whole exchange. */
#define FIND_SECONDS 15
#define EXCHANGE_SECONDS 20
/* The newest protocol version we speak; version 5 says in XdndFinished whether the drop
 * was taken. */
#define OUR_VERSION 5

static Display* display;
static Atom aware, enter, position, status, leave, drop, finished, selection, action_copy, uri_list,
    targets, net_wm_name, utf8_string, stamp;
static Window source;

static double seconds_now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

/* The next event before the deadline; 0 when none came. */
static int next_event(XEvent* event, double deadline)
{
    for (;;) {
        if (XPending(display)) {
            XNextEvent(display, event);
            return 1;
        }
        double left = deadline - seconds_now();
        if (left <= 0)
            return 0;
        struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
        poll(&wait, 1, (int)(left * 1000) + 1);
    }
}

/* Wine writes both names; _NET_WM_NAME is UTF-8, WM_NAME may be in another encoding. */
static char* window_name(Window window)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8_string, &type,
                           &format, &count, &after, &data) == Success &&
        data && type == utf8_string)
        return (char*)data;
    if (data)
        XFree(data);
    char* name = NULL;
    return XFetchName(display, window, &name) ? name : NULL;
}

/* The XDND version the window speaks; 0 when it takes no drops. */
static long aware_version(Window window)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long version = 0;
    if (XGetWindowProperty(display, window, aware, 0, 1, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data && type == XA_ATOM && count == 1)
        version = (long)*(Atom*)data;
    if (data)
        XFree(data);
    return version;
}

/* The window a drop at root point x,y goes to, as a drag source finds it: the top-level
 * window shown there, then down through windows that take no drops themselves (a window
 * manager's frame) to the one that does; None when none does. */
static Window window_at(Window root, int x, int y)
{
    Window window = root, child = None;
    int at_x, at_y;
    while (XTranslateCoordinates(display, root, window, x, y, &at_x, &at_y, &child) &&
           child != None) {
        window = child;
        if (aware_version(window))
            return window;
    }
    return None;
}

/* A timestamp of the server's clock, which the selection's owner must give: the time of a
 * change to a property of our own window. */
static Time server_time(void)
{
    XEvent event;
    XChangeProperty(display, source, stamp, XA_STRING, 8, PropModeAppend, NULL, 0);
    double deadline = seconds_now() + 5;
    while (next_event(&event, deadline))
        if (event.type == PropertyNotify && event.xproperty.window == source)
            return event.xproperty.time;
    return CurrentTime;
}

static void send_message(Window target, Atom type, long l1, long l2, long l3, long l4)
{
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.display = display;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)source;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

/* text/uri-list (RFC 2483): file URIs, each line ended by CR LF, every byte outside the
 * unreserved set percent-encoded, so that a UTF-8 name arrives byte for byte. */
static char* uri_list_of(const char* path)
{
    static const char unreserved[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~/";
    char* text = malloc(strlen("file://") + 3 * strlen(path) + 3);
    char* at = text + sprintf(text, "file://");
    for (const unsigned char* c = (const unsigned char*)path; *c; ++c)
        at += strchr(unreserved, *c) ? sprintf(at, "%c", *c) : sprintf(at, "%%%02X", *c);
    strcpy(at, "\r\n");
    return text;
}

static int answer_request(const XSelectionRequestEvent* request, const char* uris)
{
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = display;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = None;
    /* A requestor of the old protocol names no property: the target's name serves. */
    Atom property = request->property != None ? request->property : request->target;
    int given = 0;
    if (request->selection == selection && request->target == uri_list) {
        XChangeProperty(display, request->requestor, property, uri_list, 8, PropModeReplace,
                        (const unsigned char*)uris, (int)strlen(uris));
        reply.xselection.property = property;
        given = 1;
    } else if (request->selection == selection && request->target == targets) {
        Atom offered[] = {targets, uri_list};
        XChangeProperty(display, request->requestor, property, XA_ATOM, 32, PropModeReplace,
                        (const unsigned char*)offered, 2);
        reply.xselection.property = property;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, &reply);
    XFlush(display);
    return given;
}

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: xdnd_drop TITLE X Y FILE\n");
        return 1;
    }
    const char* title = argv[1];
    const int x = atoi(argv[2]), y = atoi(argv[3]);
    char path[PATH_MAX];
    if (!realpath(argv[4], path)) {
        perror(argv[4]);
        return 1;
    }
    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xdnd_drop: cannot open the display '%s'\n", getenv("DISPLAY"));
        return 1;
    }
    aware = XInternAtom(display, "XdndAware", False);
    enter = XInternAtom(display, "XdndEnter", False);
    position = XInternAtom(display, "XdndPosition", False);
    status = XInternAtom(display, "XdndStatus", False);
    leave = XInternAtom(display, "XdndLeave", False);
    drop = XInternAtom(display, "XdndDrop", False);
    finished = XInternAtom(display, "XdndFinished", False);
    selection = XInternAtom(display, "XdndSelection", False);
    action_copy = XInternAtom(display, "XdndActionCopy", False);
    uri_list = XInternAtom(display, "text/uri-list", False);
    targets = XInternAtom(display, "TARGETS", False);
    net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    utf8_string = XInternAtom(display, "UTF8_STRING", False);
    stamp = XInternAtom(display, "XDND_DROP_TIMESTAMP", False);
    const Window root = DefaultRootWindow(display);

    /* Wine maps a window's X window and gives it its name a moment after the window is
     * shown. */
    Window target = None;
    char* name = NULL;
    XEvent event;
    for (double deadline = seconds_now() + FIND_SECONDS;;) {
        if (name)
            XFree(name);
        target = window_at(root, x, y);
        name = target ? window_name(target) : NULL;
        if ((name && strcmp(name, title) == 0) || seconds_now() > deadline)
            break;
        struct timespec pause = {0, 100 * 1000 * 1000};
        nanosleep(&pause, NULL);
    }
    if (!name || strcmp(name, title) != 0) {
        fprintf(stderr,
                "xdnd_drop: at (%d, %d) the window that takes drops is 0x%lx '%s', not '%s'\n", x,
                y, target, name ? name : "", title);
        return 1;
    }
    long version = aware_version(target);
    if (version > OUR_VERSION)
        version = OUR_VERSION;

    source = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, source, PropertyChangeMask);
    const Time time = server_time();
    XSetSelectionOwner(display, selection, source, time);
    if (XGetSelectionOwner(display, selection) != source) {
        fprintf(stderr, "xdnd_drop: could not own the drag's selection\n");
        return 1;
    }
    char* uris = uri_list_of(path);

    /* Up to three types go in XdndEnter itself: ours is one. */
    send_message(target, enter, version << 24, (long)uri_list, None, None);
    send_message(target, position, 0, ((long)x << 16) | (y & 0xFFFF), (long)time,
                 (long)action_copy);
    enum { kPositioned, kDropped } stage = kPositioned;
    int requests = 0;
    const double deadline = seconds_now() + EXCHANGE_SECONDS;
    while (next_event(&event, deadline)) {
        if (event.type == SelectionRequest) {
            requests += answer_request(&event.xselectionrequest, uris);
        } else if (event.type == ClientMessage && (Window)event.xclient.data.l[0] == target) {
            const long* l = event.xclient.data.l;
            if (event.xclient.message_type == status && stage == kPositioned) {
                /* The button is released at the first answer, as if the player let go there. */
                if (!(l[1] & 1)) {
                    send_message(target, leave, 0, 0, 0, 0);
                    fprintf(stderr, "xdnd_drop: the window 0x%lx refused the drop at (%d, %d)\n",
                            target, x, y);
                    return 3;
                }
                send_message(target, drop, 0, (long)time, 0, 0);
                stage = kDropped;
            } else if (event.xclient.message_type == finished && stage == kDropped) {
                const int taken = version < 5 || (l[1] & 1);
                uris[strcspn(uris, "\r")] = 0;
                fprintf(stderr,
                        "xdnd_drop: %s on 0x%lx '%s' (XDND %ld) at (%d, %d): %s; the data was "
                        "asked for %d time(s)\n",
                        uris, target, title, version, x, y, taken ? "taken" : "not taken",
                        requests);
                return taken ? 0 : 4;
            }
        }
    }
    fprintf(stderr, "xdnd_drop: no %s from the window 0x%lx within %d s\n",
            stage == kPositioned ? "XdndStatus" : "XdndFinished", target, EXCHANGE_SECONDS);
    return 5;
}
