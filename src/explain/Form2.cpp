#include "explain/Form2.h"

Form2::Form2(const TwipScale& scale) : scale_(scale) {}

void Form2::showModal() {}
