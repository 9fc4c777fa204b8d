#include "preview/webengine/pane_drawing.h"

#include <QByteArray>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

namespace {

// The name of the OpenGL the window shares with the pane (empty: none).
QByteArray opengl_renderer() {
    QOpenGLContext* shared = QOpenGLContext::globalShareContext();
    if (!shared)
        return {};
    QOffscreenSurface surface;
    surface.setFormat(shared->format());
    surface.create();
    if (!surface.isValid() || !shared->makeCurrent(&surface))
        return {};
    const auto* name = shared->functions()->glGetString(GL_RENDERER);
    const QByteArray renderer = name ? QByteArray(reinterpret_cast<const char*>(name)) : "";
    shared->doneCurrent();
    return renderer;
}

// The renderer's name is one of an OpenGL drawn by the CPU.
bool drawn_by_cpu(const QByteArray& renderer) {
    const QByteArray name = renderer.toLower();
    for (const char* cpu : {"llvmpipe", "softpipe", "software rasterizer", "swiftshader", "swr"})
        if (name.contains(cpu))
            return true;
    return false;
}

} // namespace

void choose_pane_drawing() {
    static bool chosen = false;
    if (chosen)
        return;
    chosen = true;
    if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") ||
        !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        return;
    // No OpenGL at all: software is the only way the pane can draw.
    const QByteArray renderer = opengl_renderer();
    if (renderer.isEmpty() || drawn_by_cpu(renderer))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
