#include "window/design_session.h"

#include "window/platform.h"
#include "window/start_up.h"

void DesignSession::load() { loadDesignWindow(record_, platform_); }

void DesignSession::aboutClicked() { platform_.showStartWindow(); }

void DesignSession::quitClicked() {
    if (platform_.askYesNo("Voulez vous vraiment quitter ?", "Confirmation")) platform_.endProgram();
}
