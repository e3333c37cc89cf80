#include "about/frmAbout.h"

frmAbout::frmAbout(const TwipScale& scale) : scale_(scale) {}

void frmAbout::showModal() {}
