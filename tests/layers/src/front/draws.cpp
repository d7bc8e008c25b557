// Crosses twice: the presenter layer includes the toolkits of both windows.
#include <QWidget>
#include <string>
#include <windows.h>
#include "front/typing.h"
