#pragma once

// How the pane's pages reach the screen. Where OpenGL is drawn by the CPU
// (Mesa's llvmpipe on a machine without a graphics card, a virtual display,
// a remote session), Chromium's OpenGL compositing and Qt Quick's OpenGL
// scene only add copies and frames between a change of the page and its
// pixels: the pane draws in software there, as Chrome does on such machines
// (a change reaches the pane about 18 ms sooner). A graphics card keeps
// OpenGL. A choice the user made (QT_QUICK_BACKEND, QSG_RHI_BACKEND) stands.
//
// Called before the pane's first view is made; the choice holds for the
// process.
void choose_pane_drawing();
