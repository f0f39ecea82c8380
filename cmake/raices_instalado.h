// The step library's interface, installed as include/raices.h: everything
// of raices/raices.h, found beside it under include/raices/.
#ifndef RAICES_INSTALADO_H
#define RAICES_INSTALADO_H

#include "raices/raices.h"

#endif
