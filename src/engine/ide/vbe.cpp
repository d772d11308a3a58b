#include "engine/ide/vbe.h"
