#include "controls/ButtonCritSect.h"

CButtonCritSect DropDownPressedLock;
