// Entry point of the panel and of the demo; which USB bus they talk to is chosen when they
// are linked.
#include "Panel.h"

int main(int argc, char **argv) {
    return runPanel(argc, argv);
}
