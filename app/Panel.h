// The panel's program: what `main` runs, kept in a library so that the demo, the smoke test
// and the start-up benchmark run exactly the same start-up as the product.
#pragma once

// Starts the application with one main window and runs its event loop; returns the loop's
// result. argc must outlive the call (the application object keeps a reference to it).
int runPanel(int &argc, char **argv);
