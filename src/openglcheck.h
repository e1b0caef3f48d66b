#pragma once

// Whether this display gives the process an OpenGL context. The web map draws
// through one; without it (Qt's offscreen platform, a remote X session
// without GLX, some virtual machines) the viewer runs on without the map and
// with pictures painted as images. GUI thread only.
class OpenGLCheck
{
public:
    // Before the application object exists: the web engine and the widgets
    // share their contexts.
    static void prepareApplication();

    // Asked once, on first use; needs the application object.
    static bool contextAvailable();
};
