#include "openglcheck.h"

#include "shelllog.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>

void OpenGLCheck::prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

bool OpenGLCheck::contextAvailable()
{
    static const bool available = [] {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            qCWarning(lcShell) << "OpenGL asked about before the application object exists";
            return false;
        }
        QOpenGLContext context;
        if (!context.create()) {
            qCWarning(lcShell).noquote() << "no OpenGL context on platform" << QGuiApplication::platformName()
                                         << "- the map is left out and pictures are painted as images";
            return false;
        }
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface)) {
            qCWarning(lcShell).noquote() << "an OpenGL context was made but cannot be used on platform"
                                         << QGuiApplication::platformName();
            return false;
        }
        context.doneCurrent();
        return true;
    }();
    return available;
}
