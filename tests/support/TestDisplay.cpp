#include "TestDisplay.h"

#include <dlfcn.h>

#include <initializer_list>

/** Interns the window-manager atoms on the X server before JUCE starts. JUCE 7.0.5 only looks them
    up ("if exists") and then writes window properties with them, which a bare Xvfb without a window
    manager answers with a fatal BadAtom. Loads libX11 at run time, as JUCE does. */
bool prepareTestDisplay()
{
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (x11 == nullptr)
        return false;
    using OpenDisplay = void* (*)(const char*);
    using InternAtom = unsigned long (*)(void*, const char*, int);
    auto openDisplay = reinterpret_cast<OpenDisplay>(dlsym(x11, "XOpenDisplay"));
    auto internAtom = reinterpret_cast<InternAtom>(dlsym(x11, "XInternAtom"));
    void* display = openDisplay != nullptr ? openDisplay(nullptr) : nullptr;
    if (display == nullptr || internAtom == nullptr)
        return false;
    for (const char* name :
         {"WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
          "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN",
          "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_COMBO", "_MOTIF_WM_HINTS"})
        internAtom(display, name, 0);
    // The connection stays open: an X server resets, forgetting its atoms, when its last client
    // leaves.
    return true;
}
