#include "DialogState.h"
