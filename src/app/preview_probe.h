#pragma once

class Form1;

// Start hook for checking an installation (see README): with
// MARKLET_EXIT_WHEN_PREVIEW_SHOWN set, the window switches its preview pane
// on as soon as it runs, and once the pane has shown the page the program
// prints, one line each,
//   MARKLET_DOCUMENT <the document's file>
//   MARKLET_CANCEL_BUTTON <the text of a standard Cancel button>
//   MARKLET_PREVIEW_SHOWN <the pane library that was loaded>
// and ends as if closed. A pane that cannot start prints
// "MARKLET_PREVIEW_UNAVAILABLE <reason>" on the error output and ends with
// status 1. Without the variable
// nothing happens.
void install_preview_probe(Form1& window);
