#include "engine/wizard.h"
